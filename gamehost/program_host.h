// The game's link to the world outside the simulation: the sound library, message boxes,
// the system cursor and the frame's quit request.
#pragma once

#include "assets/sound.h"
#include "frame/frame.h"
#include "physics/game_host.h"
#include "platform/messages.h"

#include <array>

constexpr int SAMPLE_SLOT_COUNT = 10; // sample indices 1..9 are used

struct ProgramHost : GameHost {
    std::array<SoundSample, SAMPLE_SLOT_COUNT> samples{};
    MusicSong song;
    WindowHandle window = nullptr; // where the quit request goes; null while none exists

    void play_sample(Sample sample, int channel) override;
    void show_message(const std::string& caption, const std::string& text,
                      MessageIcon icon) override;
    void request_quit() override;
    void set_cursor_position(int x, int y) override;
};

// Starts the sound library, the looping music and the nine samples.
void start_game_sound(ProgramHost& host);
// Stops everything and closes the library; the handles become empty.
void stop_game_sound(ProgramHost& host);

// The hooks both games fill alike: the raw-mouse module's entry points, and the window
// centre written into `host` at every resize.
void set_shared_hooks(ProgramHooks& hooks, ProgramHost& host);

// Routes the keys, the mouse reports and the player allocation through `session`, the one
// door by which input reaches a game's world (live, recorded or replayed).
template <class Session> void route_input_through(ProgramHooks& hooks, Session& session) {
    Session* s = &session;
    hooks.key_event = [s](uint32_t code, bool down) { s->key(code, down); };
    hooks.player_mouse_input = [s](int mouse, int x, int y, int wheel, bool left, bool right,
                                   bool middle) {
        s->mouse(mouse, x, y, wheel, left, right, middle);
    };
    hooks.allocate_players = [s](int count) { s->allocate(count); };
}
