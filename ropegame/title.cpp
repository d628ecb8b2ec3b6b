// The title screen's step: any click (once armed), Space or Enter starts play; 9 and 0
// choose the level; F, T, L and G toggle.
#include "physics/keys.h"
#include "ropegame/sim.h"

namespace ropegame {
namespace {

constexpr int SLOT_HANDLE = 5;

bool first_button(const World& w, int i) {
    return i < int(w.players.size()) && w.players[size_t(i)].button_down[0] != 0;
}

// Moves the level by `delta` once per press, and reloads it on every step of the press.
void step_level(World& w, GameHost& host, bool held, bool& latch, int delta) {
    if (!held) {
        latch = true;
        return;
    }
    if (latch)
        w.level_index += delta;
    latch = false;
    reset_level(w, host);
}

} // namespace

void title_step(World& w, GameHost& host) {
    w.play_button = PlayButton{0, 0, 6, 3, SLOT_HANDLE};

    const bool enter = key_held(w, KEY_ENTER);
    const bool click = (first_button(w, 0) || first_button(w, 1)) && w.play_armed;
    if (click || key_held(w, KEY_SPACE) || enter) {
        w.playing = true;
        w.time_taken = 0;
        if (enter)
            w.player_count = 1;
    }
    if (!first_button(w, 0))
        w.play_armed = true;

    step_level(w, host, key_held(w, KEY_9), w.latches.next, +1);
    step_level(w, host, key_held(w, KEY_0), w.latches.previous, -1);

    auto toggle = [&](char letter, bool& latch, bool& flag) {
        once_per_press(key_held(w, key_letter(letter)), latch, [&] { flag = !flag; });
    };
    toggle('F', w.latches.f, w.inflate_mode);
    toggle('T', w.latches.t, w.trail_enabled);
    toggle('L', w.latches.l, w.flock_enabled);
    toggle('G', w.latches.g, w.camera_midpoint_mode);
}

} // namespace ropegame
