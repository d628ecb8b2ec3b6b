#include "rope_world.h"

#include <gtest/gtest.h>

using namespace ropegame;

namespace {

TEST(RopegamePointers, OffsetsHeldInTheirRectangleAndBackAtOnce) {
    World w = rope_world({{5, -1}, {9, 3}});
    w.playing = false; // on the title screen the pointers move too
    w.pointer_inputs[0].offset_x = 0;
    FakeHost host;
    host.screen_center_x = 400, host.screen_center_y = 300;
    player_mouse_input(w, 0, 300, 0, 0, false, false, false);
    run(w, host);
    EXPECT_FLOAT_EQ(w.pointer_inputs[0].offset_x, 170);
    EXPECT_FLOAT_EQ(w.pointer_inputs[0].pointer_x, 5 + 17);
    player_mouse_input(w, 0, -100, 0, 0, false, false, false);
    run(w, host);
    EXPECT_FLOAT_EQ(w.pointer_inputs[0].pointer_x, 5 + 7);

    player_mouse_input(w, 1, 0, -500, 0, false, false, false); // up: positive, limit 130
    run(w, host);
    EXPECT_FLOAT_EQ(w.pointer_inputs[1].offset_y, 130);
    EXPECT_FLOAT_EQ(w.pointer_inputs[1].pointer_y, 3 + 13);
    player_mouse_input(w, 1, -900, 1000, 0, false, false, false);
    run(w, host);
    EXPECT_FLOAT_EQ(w.pointer_inputs[1].offset_x, -170); // 100 - 900, held at the limit
    EXPECT_FLOAT_EQ(w.pointer_inputs[1].pointer_x, 9 - 17);
    EXPECT_FLOAT_EQ(w.pointer_inputs[1].pointer_y, 3 - 13);
    EXPECT_EQ(host.cursor_moves, 4);
}

TEST(RopegamePointers, MouseReportsAndWheel) {
    World w = rope_world({{0, 0}});
    player_mouse_input(w, 0, 0, 0, 3, true, true, false);
    EXPECT_EQ(w.players[0].button_down, (std::array<uint8_t, 3>{1, 1, 0}));
    EXPECT_FLOAT_EQ(w.pointer_inputs[0].wheel, 3);
    player_mouse_input(w, 0, 0, 0, -1, false, false, true);
    EXPECT_EQ(w.players[0].button_down, (std::array<uint8_t, 3>{0, 0, 1}));
    EXPECT_FLOAT_EQ(w.pointer_inputs[0].wheel, -1);        // replaced, not added
    player_mouse_input(w, 7, 10, 10, 0, true, true, true); // no such record: ignored
    player_mouse_input(w, -1, 10, 10, 0, true, true, true);

    // The wheel lengthens rope 1 while the third button is held, then is cleared.
    w.players[0].ropes[1].segment_length = 1;
    w.players[0].ropes[1].attached = 0;
    FakeHost host;
    run(w, host);
    EXPECT_FLOAT_EQ(w.players[0].ropes[1].segment_length, 1 - 0.06f);
    EXPECT_FLOAT_EQ(w.pointer_inputs[0].wheel, 0);
}

} // namespace
