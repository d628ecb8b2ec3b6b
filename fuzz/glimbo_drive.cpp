#include "fuzz/glimbo_drive.h"

#include "fuzz/fuzz_check.h"
#include "physics/keys.h"

#include <string>

namespace {

bool within(int step, int from, int to) {
    return step >= from && step < to;
}

void press_keys(GameState& gs, int s) {
    const std::pair<int, bool> keys[] = {
        {key_letter('Q'), within(s, 0, 150)},                        // player 0 rolls
        {key_letter('W'), within(s, 30, 40) || within(s, 200, 210)}, // and jumps
        {key_letter('E'), within(s, 160, 300)},                      // and fires rods
        {key_letter('T'), within(s, 50, 250)},                       // player 1 rolls
        {key_letter('Y'), within(s, 120, 130)},
        {KEY_CTRL, within(s, 100, 140)}, // clinging
    };
    for (auto [code, down] : keys)
        key_event(gs, code, down);
}

// Mouse reports: pointer moves at a few steps, left button held in spans, the right button
// toggled on and off, the wheel paying out and in.
void move_mice(GameState& gs, int s) {
    const bool right = s == 170 || s == 260;
    const int wheel = within(s, 190, 200) ? 1 : within(s, 220, 230) ? -1 : 0;
    const int x0 = s == 55 ? 30 : s == 165 ? -60 : 0;
    const int y0 = s == 55 ? -40 : s == 165 ? -30 : 0;
    // Held from the start, so a loaded rope stays on; the third press fires while the flock
    // runs, the last one a rod.
    const bool left =
        within(s, 0, 40) || within(s, 60, 100) || within(s, 102, 200) || within(s, 230, 290);
    player_mouse_input(gs, 0, x0, y0, wheel, left, right, false);
    if (gs.player_count > 1)
        player_mouse_input(gs, 1, s == 115 ? -20 : 0, s == 115 ? -50 : 0, 0, within(s, 120, 220),
                           false, false);
}

void check_finite(const GameState& gs, int step) {
    const std::string at = " stopped being finite at step " + std::to_string(step);
    for (int i = 0; i < gs.player_count; ++i) {
        const Player& p = gs.players[size_t(i)];
        FUZZ_CHECK(all_finite({p.x, p.y, p.prev_x, p.prev_y, p.radius, p.aim_x, p.aim_y,
                               p.pointer_x, p.pointer_y}),
                   ("a player" + at).c_str());
        for (int r = 0; r < 2; ++r) {
            const Rope& rope = p.ropes[size_t(r)];
            FUZZ_CHECK(all_finite({rope.anchor_x, rope.anchor_y, rope.segment_length}),
                       ("a rope anchor" + at).c_str());
            for (const RopeNode& n : rope.nodes)
                FUZZ_CHECK(all_finite({n.x, n.y, n.prev_x, n.prev_y}),
                           ("a rope node" + at).c_str());
        }
    }
    for (const Sheep& s : gs.flock)
        FUZZ_CHECK(all_finite({s.x, s.y, s.prev_x, s.prev_y}), ("a sheep" + at).c_str());
    FUZZ_CHECK(
        all_finite({gs.light_x, gs.light_y, gs.camera_x, gs.camera_y, gs.gravity_x, gs.gravity_y}),
        ("the light or the camera" + at).c_str());
}

} // namespace

void drive_and_check(GameState& gs, GameHost& host, int first, int last) {
    gs.playing = true;
    const int level = gs.level_index;
    for (int s = first; s < last; ++s) {
        // The flock runs for a few steps only: its spacing pass dominates a step's cost.
        gs.flock_enabled = within(s, 100, 106);
        gs.soft_collisions = s >= 240;
        press_keys(gs, s);
        move_mice(gs, s);
        game_step(gs, host, 20);
        check_finite(gs, s);
        if (!gs.playing || gs.level_index != level)
            return;
    }
}
