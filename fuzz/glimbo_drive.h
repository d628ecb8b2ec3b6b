// Plays a glimbo world with a fixed script of keys and mouse reports (rolling, jumping,
// both ropes, rods, the wheel, clinging, the flock for a while, soft collisions) and checks
// after every step that every position in the world is a finite number.
#pragma once

#include "glimbo/game.h"

// Counts what the simulation asks of the outside world and otherwise ignores it.
struct QuietHost : GameHost {
    int calls = 0;
    void play_sample(Sample, int) override {}
    void show_message(const std::string&, const std::string&, MessageIcon) override { ++calls; }
    void request_quit() override { ++calls; }
    void set_cursor_position(int, int) override {}
};

// Steps of the script.
constexpr int DRIVE_STEPS = 300;

// Puts the world in play and runs script steps [first, last). Stops early when the level
// is left (finished, or the game went back to the menu). Aborts, naming the step, when a
// position stops being finite.
void drive_and_check(GameState& gs, GameHost& host, int first = 0, int last = DRIVE_STEPS);
