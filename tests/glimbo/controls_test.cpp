#include "test_world.h"

#include <gtest/gtest.h>

namespace {

TEST(Controls, BindingAndDefaults) {
    GameState gs;
    init_game_state(gs, 2);
    install_default_controls(gs);
    EXPECT_EQ(gs.players[1].roll_key, 'T');
    gs.binding_mode = true;
    for (char c : std::string("ASDJKL")) {
        key_event(gs, c, true);
        key_event(gs, c, false); // releases bind nothing
    }
    const Player &a = gs.players[0], &b = gs.players[1];
    EXPECT_EQ(std::string({char(a.roll_key), char(a.jump_key), char(a.rigid_key), char(b.roll_key),
                           char(b.jump_key), char(b.rigid_key)}),
              "ASDJKL");
    EXPECT_FALSE(gs.binding_mode);

    init_game_state(gs, 1); // roll keys only for existing players, the rest always
    install_default_controls(gs);
    EXPECT_EQ(std::string({char(gs.players[0].roll_key), char(gs.players[0].jump_key),
                           char(gs.players[0].rigid_key), char(gs.players[1].jump_key),
                           char(gs.players[1].rigid_key)}),
              "QWEYU");
    EXPECT_EQ(gs.players[1].roll_key, 0);
    fill_menu_items(gs);
    EXPECT_STREQ(gs.menu_items[5].label, "change controls");
    EXPECT_FLOAT_EQ(gs.menu_items[8].x, -12);
}

TEST(Controls, MouseMotionWheelAndRightToggle) {
    GameState gs;
    init_game_state(gs, 1);
    Player& p = gs.players[0];
    auto mouse = [&](int x, bool right, int wheel = 0) {
        player_mouse_input(gs, 0, x, x, wheel, true, right, false);
    };
    mouse(10, false, 2);
    EXPECT_FLOAT_EQ(p.pointer_dx, 1);
    EXPECT_FLOAT_EQ(p.pointer_dy, -1);
    mouse(0, false, -1);
    EXPECT_FLOAT_EQ(p.wheel, -1); // replaced, not added
    EXPECT_EQ(p.button_down[0], 1);
    mouse(0, true); // press after movement: flips
    EXPECT_EQ(p.button_down[1], 1);
    mouse(0, false); // release straight after: no flip
    EXPECT_EQ(p.button_down[1], 1);
    mouse(1, false);
    mouse(0, true); // press, movement, release: on and off again
    EXPECT_EQ(p.button_down[1], 0);
    mouse(1, true);
    mouse(0, false);
    EXPECT_EQ(p.button_down[1], 1);
}

} // namespace
