#include "mygame1/hopper.h"

#include "platform/random.h"
#include "tests/editing/test_input.h"

#include <gtest/gtest.h>

namespace {

// A creature at rest with its links at rest length, high above everything.
HopperWorld creature_in_the_air(float base_y) {
    HopperWorld w;
    w.creature.head = make_mass(0, base_y, 1.0f);
    w.creature.foot = make_mass(0, base_y - 1.7f, 0.7f);
    w.creature.handle = make_mass(1, base_y, 0.3f);
    w.creature.ball = make_mass(1, base_y - 2, 0.8f);
    return w;
}

MyGameData flat_ground(float y) {
    MyGameData g;
    g.top = {{-50, y}, {50, y}};
    g.bottom = {{-50, y - 3}, {50, y - 3}};
    return g;
}

void run(HopperWorld& w, const FakeInput& in, int steps) {
    for (int i = 0; i < steps; ++i)
        hopper_step(w, in);
}

// The full world without sheep, settled for 300 steps on flat ground at y = -2.
HopperWorld settled_on_flat_ground() {
    random_reset();
    HopperWorld w = make_hopper_world();
    EXPECT_EQ(w.sheep.size(), size_t(HOPPER_SHEEP_COUNT)); // the flock is there from the start
    w.sheep.clear();
    w.ground = flat_ground(-2);
    run(w, FakeInput{}, 300);
    return w;
}

} // namespace

TEST(Hopper, LiftAndGravityOnTheGroundAndInTheAir) {
    FakeInput in;
    random_reset();
    HopperWorld air = creature_in_the_air(50);
    hopper_step(air, in);
    // Foot -0.07; the head's jitter (at most 0.01) pulls it back by 0.3 of that at most.
    EXPECT_NEAR(air.creature.foot.y, 48.3f - 0.07f + 0.0015f, 0.002f);
    EXPECT_NEAR(air.creature.ball.y, 48.0f - 0.007f, 0.002f); // a tenth of gravity

    HopperWorld ground = creature_in_the_air(50);
    ground.creature.on_ground = true;
    hopper_step(ground, in);
    // Head +0.02 (+ jitter up to 0.01), foot -0.1: the leg is 0.12..0.13 too long and
    // closes 0.3 of that at each end.
    EXPECT_NEAR(ground.creature.foot.y, 48.2f + 0.3f * 0.125f, 0.003f);
    EXPECT_NEAR(ground.creature.head.y, 50.025f - 0.3f * 0.125f, 0.01f);
    EXPECT_NEAR(ground.creature.ball.y, 47.99f, 0.002f);
}

TEST(Hopper, StandsStillWithoutInput) {
    HopperWorld w = settled_on_flat_ground();
    FakeInput in;
    Creature start = w.creature;
    for (int i = 0; i < 2000; ++i) {
        hopper_step(w, in);
        const Creature& c = w.creature;
        ASSERT_TRUE(c.on_ground);
        ASSERT_NEAR(c.foot.y, -1.3f, 0.01f);
        ASSERT_GT(c.head.y - c.foot.y, 1.0f);      // the leg holds the head up
        ASSERT_NEAR(c.head.x, c.foot.x, 0.4f);     // upright, only swaying
        ASSERT_NEAR(c.foot.x, start.foot.x, 1.5f); // and not walking off
    }
}

TEST(Hopper, OneJumpPerPressOfSpace) {
    HopperWorld w = settled_on_flat_ground();
    FakeInput in;
    // A jump is a step in which the head's upward speed grows by more than 0.8 at once.
    auto count_jumps = [&](int steps) {
        int jumps = 0;
        for (int i = 0; i < steps; ++i) {
            float speed_before = w.creature.head.velocity().y;
            hopper_step(w, in);
            if (w.creature.head.velocity().y - speed_before > 0.8f)
                ++jumps;
        }
        return jumps;
    };
    in.hold(KEY_SPACE);
    EXPECT_EQ(count_jumps(400), 1); // lands again long before the end, but stays held
    in.release(KEY_SPACE);
    run(w, in, 100);
    in.hold(KEY_SPACE);
    EXPECT_EQ(count_jumps(1), 1);
}

TEST(Hopper, FastBallHitRespawnsTheSheepInTheSameStep) {
    for (float speed : {0.8f, 0.6f}) {
        random_reset();
        HopperWorld w = creature_in_the_air(0);
        w.creature.ball = make_mass(3, 0, 0.8f); // the stick held out level, ahead
        for (Mass* m : {&w.creature.head, &w.creature.foot, &w.creature.handle, &w.creature.ball}) {
            m->x += 2;
            m->px = m->x - speed; // the whole creature moves right
        }
        w.sheep = {Sheep{}};
        w.sheep[0].body = make_mass(6.5f, 0, 1); // 0.7 ahead of where the ball gets to
        FakeInput in;
        hopper_step(w, in);
        const Sheep& s = w.sheep[0];
        if (speed > 0.7072f) {
            // 10 * 0.64 > 5: a fresh sheep, at rest somewhere in [0, 10] x [0, 10].
            EXPECT_FLOAT_EQ(s.health, SHEEP_START_HEALTH);
            EXPECT_EQ(s.body.x, s.body.px);
            EXPECT_EQ(s.body.y, s.body.py);
            EXPECT_GE(s.body.x, 0);
            EXPECT_LE(s.body.y, 10);
        } else {
            // 10 * (0.6^2 + a little of the sheep's own drift) is taken off 5.
            EXPECT_NEAR(s.health, 5 - 10 * 0.36f, 0.1f);
        }
    }
}
