#include "mygame2/swinger.h"

#include "platform/random.h"
#include "tests/editing/test_input.h"

#include <gtest/gtest.h>

namespace {

// An open line through the given points (the bottom line only shapes the drawing).
MyGameData line(std::initializer_list<TopPoint> points) {
    MyGameData g;
    for (TopPoint p : points) {
        g.top.push_back(p);
        g.bottom.push_back({p.x, p.y - 3});
    }
    return g;
}

// A player at rest at the origin with the pointer at world (px, py), no sheep.
SwingerWorld aiming_at(float px, float py) {
    SwingerWorld w;
    w.player = make_mass(0, 0, 1);
    w.offset = {px * 10, py * 10};
    return w;
}

// A player at rest at the origin aiming straight up at world y `aim` under a ceiling at
// `ceiling`, after one frame with the button up has armed the grapple.
SwingerWorld armed_under_ceiling(float aim, float ceiling) {
    SwingerWorld w = aiming_at(0, aim);
    w.ground = line({{5, ceiling}, {-5, ceiling}});
    swinger_step(w, FakeInput{});
    w.player = make_mass(0, 0, 1);
    return w;
}

} // namespace

TEST(Grapple, FiresOncePerPressAndReelsIn) {
    SwingerWorld w = aiming_at(0, 13);
    w.ground = line({{5, 10}, {-5, 10}}); // ceiling 10 above the player
    FakeInput in;
    in.frame.left_button = true;
    swinger_step(w, in); // fire armed starts false: the first press must follow a release
    EXPECT_FALSE(w.grapple.attached);
    in.frame.left_button = false;
    swinger_step(w, in);
    w.player = make_mass(0, 0, 1);
    in.frame.left_button = true;
    swinger_step(w, in);
    ASSERT_TRUE(w.grapple.attached);
    EXPECT_FLOAT_EQ(w.grapple.anchor.y, 10);
    EXPECT_NEAR(w.grapple.segment_length, 10.0f / 13 - 0.01f, 1e-6);
    in.frame.right_button = true; // paying out while reeling in: +0.01 a step
    swinger_step(w, in);
    EXPECT_NEAR(w.grapple.segment_length, 10.0f / 13, 1e-5);
    in.frame.left_button = false;
    swinger_step(w, in);
    EXPECT_FALSE(w.grapple.attached); // releasing always frees the player
}

TEST(Grapple, StiffRodPullsThePlayerTowardsThirteenSegments) {
    SwingerWorld w = armed_under_ceiling(13, 10);
    FakeInput in;
    in.hold(KEY_SHIFT);
    in.frame.left_button = true;
    swinger_step(w, in);
    ASSERT_TRUE(w.grapple.stiff);
    // Rod 13 * (10/13 - 0.01) = 9.87: the player moves 0.4 * 0.13 = 0.052 up, which is
    // also its new velocity, then falls 0.07: 0.052 + 0.052 - 0.07.
    EXPECT_NEAR(w.player.y, 0.034f, 1e-4);
    EXPECT_NEAR(w.player.py, 0.052f, 1e-4);
    EXPECT_FLOAT_EQ(w.player.x, 0);
}

TEST(Grapple, RopeHoldsThePlayerNearTheAnchorWhileReelingIn) {
    SwingerWorld w = armed_under_ceiling(13, 10);
    FakeInput in;
    in.frame.left_button = true;
    for (int i = 0; i < 40; ++i) {
        swinger_step(w, in);
        ASSERT_TRUE(w.grapple.attached);
        float reach = length(w.grapple.anchor - w.player.pos());
        ASSERT_LT(reach, 13 * w.grapple.segment_length + 1.5f) << "step " << i;
    }
    EXPECT_GT(w.player.y, 0); // reeled upwards, not dropped
}

TEST(Swinger, PushStopsAtOneUnitPerStepAndSpaceJumpsOncePerPress) {
    SwingerWorld w;
    w.player = make_mass(0, 1 + FLOOR_Y, 1);
    w.on_ground = true;
    FakeInput in;
    in.hold(KEY_RIGHT);
    w.player.px = -0.5f; // moving right at 0.5: pushed by 0.1 on the ground
    swinger_step(w, in);
    EXPECT_FLOAT_EQ(w.player.x, 0.1f + 0.6f);
    w.player.x = 0;
    w.player.px = -1; // already at 1: no push
    swinger_step(w, in);
    EXPECT_FLOAT_EQ(w.player.x, 1);

    in.release(KEY_RIGHT);
    w.player = make_mass(0, 1 + FLOOR_Y, 1);
    swinger_step(w, in);
    ASSERT_TRUE(w.on_ground);
    in.hold(KEY_SPACE);
    int jumps = 0;
    for (int i = 0; i < 300; ++i) {
        bool was_down = w.player.y == 1 + FLOOR_Y;
        swinger_step(w, in);
        if (was_down && w.player.y > 1 + FLOOR_Y + 1) // 1.2 up, less one step's gravity
            ++jumps;
    }
    EXPECT_EQ(jumps, 1);
}
