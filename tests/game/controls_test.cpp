#include "game/keys.h"
#include "test_world.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(Controls, BindingTwoPlayers) {
    GameState gs;
    init_game_state(gs, 2);
    install_default_controls(gs);
    gs.binding_mode = true;
    gs.binding_step = -1;
    for (char c : std::string("ASDJKL")) {
        key_event(gs, c, true);
        key_event(gs, c, false); // releases bind nothing
    }
    EXPECT_EQ(gs.players[0].roll_key, 'A');
    EXPECT_EQ(gs.players[0].jump_key, 'S');
    EXPECT_EQ(gs.players[0].rigid_key, 'D');
    EXPECT_EQ(gs.players[1].roll_key, 'J');
    EXPECT_EQ(gs.players[1].jump_key, 'K');
    EXPECT_EQ(gs.players[1].rigid_key, 'L');
    EXPECT_FALSE(gs.binding_mode);
    key_event(gs, 'Z', true);
    EXPECT_EQ(gs.players[0].roll_key, 'A');
    EXPECT_EQ(gs.key_down['Z'], 1);
    key_event(gs, 300, true); // no such key: ignored
}

TEST(Controls, DefaultControlsAndMenuTable) {
    GameState gs;
    init_game_state(gs, 1);
    install_default_controls(gs);
    EXPECT_EQ(gs.players[0].roll_key, 0x51);
    EXPECT_EQ(gs.players[0].jump_key, 0x57);
    EXPECT_EQ(gs.players[0].rigid_key, 0x45);
    EXPECT_EQ(gs.players[1].roll_key, 0); // only with two players
    EXPECT_EQ(gs.players[1].jump_key, 0x59);
    EXPECT_EQ(gs.players[1].rigid_key, 0x55);

    init_game_state(gs, 4);
    install_default_controls(gs);
    EXPECT_EQ(gs.players[1].roll_key, 0x54);
    EXPECT_EQ(gs.players[2].roll_key, 0);
    EXPECT_EQ(gs.players[3].roll_key, 0x57);
    EXPECT_EQ(gs.players[4].roll_key, 0);

    fill_menu_items(gs);
    EXPECT_STREQ(gs.menu_items[5].label, "change controls");
    EXPECT_FLOAT_EQ(gs.menu_items[8].x, -12);
    EXPECT_FLOAT_EQ(gs.menu_items[8].y, 6);
    EXPECT_FLOAT_EQ(gs.menu_items[1].half_width, 4);
    EXPECT_EQ(gs.menu_items[7].texture_slot, 5);
}

TEST(Controls, MouseMotionWheelAndRightToggle) {
    GameState gs;
    init_game_state(gs, 1);
    Player& p = gs.players[0];
    player_mouse_input(gs, 0, 10, 10, 2, true, false, false);
    EXPECT_FLOAT_EQ(p.pointer_dx, 1);
    EXPECT_FLOAT_EQ(p.pointer_dy, -1);
    EXPECT_FLOAT_EQ(p.wheel, 2);
    EXPECT_EQ(p.button_down[0], 1);
    player_mouse_input(gs, 0, 0, 0, -1, false, false, true);
    EXPECT_FLOAT_EQ(p.wheel, -1); // replaced, not added
    EXPECT_EQ(p.button_down[2], 1);

    // A press after movement flips; a release straight after it does not.
    player_mouse_input(gs, 0, 0, 0, 0, false, true, false);
    EXPECT_EQ(p.button_down[1], 1);
    player_mouse_input(gs, 0, 0, 0, 0, false, false, false);
    EXPECT_EQ(p.button_down[1], 1);
    // Press, movement, release: flipped on and off again.
    player_mouse_input(gs, 0, 1, 0, 0, false, false, false);
    player_mouse_input(gs, 0, 0, 0, 0, false, true, false);
    EXPECT_EQ(p.button_down[1], 0);
    player_mouse_input(gs, 0, 1, 0, 0, false, true, false);
    player_mouse_input(gs, 0, 0, 0, 0, false, false, false);
    EXPECT_EQ(p.button_down[1], 1);
    player_mouse_input(gs, 9, 1, 1, 1, true, true, true); // no such record: ignored
}

} // namespace
