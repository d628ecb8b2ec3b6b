#include "test_world.h"

#include <gtest/gtest.h>

namespace {

// Roll, jump and rigid keys of players 0 and 1 as one string.
std::string keys_of(const GameState& gs) {
    std::string keys;
    for (const Player& p : {gs.players[0], gs.players[1]})
        keys += {char(p.roll_key), char(p.jump_key), char(p.rigid_key)};
    return keys;
}

TEST(Controls, DefaultsAndKeysNoKeyboardHas) {
    GameState gs;
    init_game_state(gs, 2);
    install_default_controls(gs);
    EXPECT_EQ(keys_of(gs), "QWETYU");
    init_game_state(gs, 1); // roll keys only for existing players, the rest always
    install_default_controls(gs);
    EXPECT_EQ(keys_of(gs), std::string("QWE\0YU", 6));
    for (int mice : {4, 5}) { // players 3 and 4 roll with W and E once they exist
        init_game_state(gs, mice);
        install_default_controls(gs);
        EXPECT_EQ(gs.players[3].roll_key, 'W');
        EXPECT_EQ(gs.players[4].roll_key, mice == 5 ? 'E' : 0);
    }
    key_event(gs, 256, true); // codes no keyboard has, as a damaged save may bind
    EXPECT_FALSE(key_held(gs, 256) || key_held(gs, INT32_MIN) || key_held(gs, INT32_MAX));
}

TEST(Controls, MouseMotionWheelAndRightToggle) {
    GameState gs;
    init_game_state(gs, 1);
    Player& p = gs.players[0];
    auto mouse = [&](int x, bool right, int wheel = 0, bool middle = false) {
        player_mouse_input(gs, 0, x, x, wheel, true, right, middle);
    };
    mouse(0, true); // right pressed in the very first report: nothing armed, no flip
    EXPECT_EQ(p.button_down[1], 0);
    mouse(10, true, 2, true); // a report without a change arms the toggle
    EXPECT_FLOAT_EQ(p.pointer_dx, 1);
    EXPECT_FLOAT_EQ(p.pointer_dy, -1);
    EXPECT_EQ(p.button_down[2], 1);
    mouse(0, false, -1); // released: flips on
    EXPECT_EQ(p.button_down[1], 1);
    EXPECT_FLOAT_EQ(p.wheel, -1); // replaced, not added
    EXPECT_EQ(p.button_down[0] + p.button_down[2], 1);
    mouse(0, true); // pressed straight after: no flip
    EXPECT_EQ(p.button_down[1], 1);
    mouse(1, true);
    mouse(0, false); // released after a quiet report: flips off
    EXPECT_EQ(p.button_down[1], 0);
}

} // namespace
