// The host of a headless replay: no sound, no boxes, no cursor, and a quit request only
// noted. Nothing blocks, nothing is shown.
#pragma once

#include "physics/game_host.h"

struct QuietHost : GameHost {
    int quit_requests = 0;

    void play_sample(Sample, int) override {}
    void show_message(const std::string&, const std::string&, MessageIcon) override {}
    void request_quit() override { ++quit_requests; }
    void set_cursor_position(int, int) override {}
};
