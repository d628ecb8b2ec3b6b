#include "mygame1/hopper.h"

#include "platform/random.h"
#include "tests/editing/test_input.h"

#include <gtest/gtest.h>

#include <array>

namespace {

void run(HopperWorld& w, const FakeInput& in, int steps) {
    for (int i = 0; i < steps; ++i)
        hopper_step(w, in);
}

} // namespace

// One step from the start pose (head (0, 0), foot (0, -1), handle (1, 0), ball (1, -1), all at
// rest, the links far from their lengths) with the head's jitter from the generator's first
// draws, 41 and 18467; worked out from the step's rules.
TEST(Hopper, OneStepOfEachControlFromTheStartPose) {
    struct Case {
        const char* what;
        int key;
        bool on_ground, jump_armed, left, right;
        Vec2 pointer;
        std::array<float, 6> after; // head, foot and ball
    };
    const Case cases[] = {
        {"nothing, in the air", 0, false, false, false, false, {},
         {-0.0009f, 0.1432f, 0.0010f, -1.2783f, 1.0015f, -1.3068f}},
        {"A in the air", key_letter('A'), false, false, false, false, {},
         {0.0048f, 0.1432f, -0.0460f, -1.2780f, 1.0008f, -1.3069f}},
        {"right on the ground", KEY_RIGHT, true, false, false, false, {},
         {-0.0170f, 0.1882f, 0.2072f, -1.2656f, 1.0045f, -1.3090f}},
        {"down crouches", KEY_DOWN, true, false, false, false, {},
         {-0.0017f, -0.1107f, -0.0002f, -1.0233f, 1.0009f, -1.3071f}},
        {"W lifts", key_letter('W'), true, false, false, false, {},
         {0.0072f, 0.2555f, 0.0004f, -1.3033f, 1.0037f, -1.3189f}},
        {"Space jumps", KEY_SPACE, true, true, false, false, {},
         {0.0095f, 2.2903f, -0.0002f, -0.9603f, 1.0043f, 1.2888f}},
        {"Space stretches the leg only", KEY_SPACE, true, false, false, false, {},
         {0.0387f, 0.5776f, 0.0026f, -1.6803f, 1.0131f, -1.3009f}},
        {"left button, far: the head feels it", 0, false, false, true, false, {10, 5},
         {-0.3067f, -0.0488f, 0.1005f, -1.3032f, 1.5022f, -1.0674f}},
        {"left button, near", 0, false, false, true, false, {2, -1},
         {-0.0009f, 0.1432f, 0.0010f, -1.2783f, 1.1053f, -1.3046f}},
        {"right button swings the stick", 0, false, false, false, true, {2, 5},
         {0.0025f, -0.0848f, 0.0739f, -1.3754f, 0.5025f, -1.0545f}},
    };
    for (const Case& c : cases) {
        random_reset();
        HopperWorld w; // moved 10 to the right with the camera: the table gives x - 10
        for (Mass* m : {&w.creature.head, &w.creature.foot, &w.creature.handle, &w.creature.ball})
            m->x += 10, m->px += 10;
        w.camera_x = 10;
        w.creature.on_ground = c.on_ground;
        w.creature.jump_armed = c.jump_armed;
        w.creature.facing_left = c.key != key_letter('A');
        FakeInput in;
        if (c.key)
            in.hold(c.key);
        in.frame.left_button = c.left;
        in.frame.right_button = c.right;
        // The pointer is steered there from the centre: right and up are positive.
        in.cursor_moved(int(-10 * c.pointer.x), int(10 * c.pointer.y));
        hopper_step(w, in);
        const Creature& k = w.creature;
        const std::array<float, 6> got = {k.head.x, k.head.y, k.foot.x,
                                          k.foot.y, k.ball.x, k.ball.y};
        for (size_t i = 0; i < got.size(); ++i)
            EXPECT_NEAR(got[i] - (i % 2 ? 0 : 10), c.after[i], 1e-4) << c.what << ", at " << i;
        EXPECT_EQ(k.facing_left, c.key != KEY_RIGHT) << c.what;
        EXPECT_EQ(k.jump_armed, c.key != KEY_SPACE) << c.what;
        EXPECT_NEAR(w.camera_x, 10 + 0.58f * (k.head.x - 10), 1e-5) << c.what; // follows the head
    }
}

// The creature moving right at 0.8 or 0.6 a step, its foot on ground at y = -2.4 and its ball
// held out level 0.7 short of a sheep; then it comes to stand there, and with the ground taken
// away the floor holds it and the sheep.
TEST(Hopper, BallHitsHurtSheepByTheSquareOfTheSpeedAndGroundOrFloorHoldTheFoot) {
    for (float speed : {0.8f, 0.6f}) {
        random_reset();
        HopperWorld w = make_hopper_world();
        EXPECT_EQ(w.sheep.size(), size_t(HOPPER_SHEEP_COUNT));
        w.ground.top = {{-50, -2.4f}, {50, -2.4f}}; // the bottom line only shapes the drawing
        Creature& c = w.creature;
        c.foot = make_mass(0, -1.7f, 0.7f);
        c.ball = make_mass(3, 0, 0.8f);
        for (Mass* m : {&c.head, &c.foot, &c.handle, &c.ball})
            m->px = m->x - speed;
        w.sheep = {Sheep{}};
        w.sheep[0].body = make_mass(4.5f, 0, 1);
        w.sheep[0].body.px = 4.55f; // coming at the ball at 0.05
        hopper_step(w, FakeInput{});
        EXPECT_TRUE(c.on_ground);
        const Sheep& s = w.sheep[0];
        if (speed > 0.7072f) { // 10 * 0.85^2 > 5: a fresh sheep, at rest in [0, 10] x [0, 10]
            EXPECT_FLOAT_EQ(s.health, SHEEP_START_HEALTH);
            EXPECT_EQ(s.body.x, s.body.px);
            EXPECT_LE(s.body.y, 10);
        } else { // 10 * (0.65^2 + a little of the sheep's own drift) is taken off 5
            EXPECT_NEAR(s.health, 5 - 10 * 0.65f * 0.65f, 0.1f);
            // 0.9 from the ball, it is moved 0.8 of the way out to 1.9 radii (3.42).
            EXPECT_NEAR(length(s.body.pos() - c.ball.pos()), 2.9072f, 1e-3);
        }
        run(w, FakeInput{}, 1000); // then it stands upright on the ground, swaying only
        EXPECT_NEAR(c.foot.y, -1.7f, 0.01f);
        EXPECT_NEAR(c.head.x, c.foot.x, 0.4f);
        EXPECT_GT(c.head.y - c.foot.y, 1.0f);
        w.ground = {}; // no ground: the floor 10.8 below the origin holds the foot
        run(w, FakeInput{}, 300);
        EXPECT_TRUE(c.on_ground);
        EXPECT_NEAR(c.foot.y, 0.7f + FLOOR_Y, 0.01f);
        EXPECT_GE(s.body.y, 1 + FLOOR_Y); // bounced off the floor or put on it
        for (float y : {FLOOR_Y - 3, FLOOR_Y + 9}) { // all sunk under the floor, then in the air
            for (Mass* m : {&c.head, &c.foot, &c.handle, &c.ball})
                m->y = m->py = y;
            hopper_step(w, FakeInput{});
            EXPECT_EQ(c.on_ground, y < FLOOR_Y);
            for (const Mass* m : {&c.head, &c.foot, &c.handle, &c.ball}) // held on the floor
                EXPECT_EQ(m->y == m->radius + FLOOR_Y, y < FLOOR_Y);
        }
    }
}

// As "nothing, in the air" above, but the foot falling 0.5 a step: it keeps 0.8 of that
// speed, 0.4 lower before the links pull, of which they give back 0.12 (from a run).
TEST(Hopper, AFallingFootKeepsFourFifthsOfItsSpeed) {
    random_reset();
    HopperWorld w;
    w.creature.foot.py += 0.5f;
    w.camera_x = 3;
    FakeInput in;
    hopper_step(w, in);
    EXPECT_NEAR(w.creature.foot.y, -1.5583f, 1e-4);
    EXPECT_FLOAT_EQ(w.pointer.x, 3); // the pointer rides with the camera
    EXPECT_FLOAT_EQ(w.camera_x, 3 + (w.creature.head.x - 3) * 0.58f); // 0.58 of the way
}

// A sheep under the foot is pushed out to touching, and is ground to stand on; two sheep
// elsewhere, half a unit apart, push each other apart and face the head on their right.
TEST(Hopper, SheepArePushedOutOfTheFootAndOfEachOther) {
    random_reset();
    HopperWorld w;
    w.sheep = {Sheep{}, Sheep{}, Sheep{}, Sheep{}};
    w.sheep[0].body = make_mass(-20, -2, 1);
    w.sheep[1].body = make_mass(-20.5f, -2, 1);
    w.sheep[2].body = make_mass(0, -2, 1);
    w.sheep[3].body = make_mass(0, 1, 1); // on the head
    hopper_step(w, FakeInput{});
    const Creature& c = w.creature;
    EXPECT_TRUE(c.on_ground);
    EXPECT_GT(length(w.sheep[2].body.pos() - c.foot.pos()), c.foot.radius + 1);
    EXPECT_GT(length(w.sheep[0].body.pos() - w.sheep[1].body.pos()), 1.5f);
    EXPECT_GT(length(w.sheep[3].body.pos() - c.head.pos()), 1.7f); // 0.8 of the way out to 2
    EXPECT_TRUE(w.sheep[0].facing && w.sheep[1].facing);
}
