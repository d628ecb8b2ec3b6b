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

void expect_at(Vec2 got, float x, float y, float tolerance, const char* what) {
    EXPECT_NEAR(got.x, x, tolerance) << what;
    EXPECT_NEAR(got.y, y, tolerance) << what;
}

} // namespace

// One step from rest at the origin (or moving sideways at vx) with nothing around.
TEST(Swinger, OneStepOfEachControl) {
    struct Case {
        const char* what;
        int key;
        bool on_ground, jump_armed;
        float vx, x, y; // x and y after the step
    };
    const Case cases[] = {
        {"nothing, in the air", 0, false, false, 0, 0, -0.07f},
        {"right on the ground", KEY_RIGHT, true, false, 0.5f, 0.7f, -0.04f},
        {"right at speed 1", KEY_RIGHT, true, false, 1, 1, -0.04f},
        {"D in the air", key_letter('D'), false, false, 0, 0.04f, -0.07f},
        {"left on the ground", KEY_LEFT, true, false, -0.5f, -0.7f, -0.04f},
        {"A at speed -1", key_letter('A'), true, false, -1, -1, -0.04f},
        {"S pulls down", key_letter('S'), true, false, 0, 0, -0.17f},
        {"W holds up", key_letter('W'), true, false, 0, 0, -0.01f},
        {"Space jumps", KEY_SPACE, true, true, 0, 0, 2.36f},
        {"Space not armed", KEY_SPACE, true, false, 0, 0, -0.04f},
        {"Space in the air", KEY_SPACE, false, true, 0, 0, -0.07f},
    };
    for (const Case& c : cases) {
        SwingerWorld w;
        w.player = make_mass(0, 0, 1);
        w.player.px = -c.vx;
        w.on_ground = c.on_ground;
        w.jump_armed = c.jump_armed;
        FakeInput in;
        if (c.key)
            in.hold(c.key);
        swinger_step(w, in);
        expect_at(w.player.pos(), c.x, c.y, 1e-6f, c.what);
        EXPECT_EQ(w.jump_armed, c.key != KEY_SPACE) << c.what;
        EXPECT_FLOAT_EQ(w.camera_x, 0.58f * w.player.x) << c.what;
        EXPECT_FALSE(w.on_ground) << c.what; // nothing under it
    }
}

// From (3, 0) with the camera there, the pointer steered to (12, 12) aims along (3, 4): the
// shot crosses the ceiling's second segment (drawn right to left) at (10.5, 10), 12.5 away,
// before the third, and a segment is 12.5 / 13 less the first reel-in of 0.01.
TEST(Grapple, FiredOncePerPressPullsTowardsTheAnchorAndLetsGo) {
    for (bool stiff : {true, false}) {
        SwingerWorld w, moving;
        for (SwingerWorld* s : {&w, &moving}) {
            s->ground = line({{30, 30}, {12, 10}, {5, 10}, {-20, 30}});
            swinger_step(*s, FakeInput{}); // a frame with the button up arms the grapple
            s->player = make_mass(3, 0, 1);
            s->camera_x = 3;
        }
        FakeInput in;
        in.keys[KEY_SHIFT] = stiff;
        in.frame.left_button = true;
        in.cursor_moved(-90, 120);
        swinger_step(w, in);
        ASSERT_TRUE(w.grapple.attached);
        EXPECT_EQ(w.grapple.stiff, stiff);
        expect_at(w.grapple.anchor, 10.5f, 10, 1e-5f, "anchor");
        EXPECT_NEAR(w.grapple.segment_length, 12.5f / 13 - 0.01f, 1e-6);
        if (stiff) {
            // The rod, 12.37 long, moves the player 0.4 * 0.13 = 0.052 towards the anchor,
            // which is also its new velocity; then it falls 0.07.
            expect_at(w.player.pos(), 3 + 2 * 0.0312f, 2 * 0.0416f - 0.07f, 1e-5f, "rod");
            // Half a unit under the anchor the rod, now 12.24, pushes it 4.696 away; right
            // on the anchor there is no direction to push along (the ceiling puts it below).
            for (auto [below, y] : {std::pair{0.5f, 0.038f}, {0.0f, 9.0f}}) {
                w.player = make_mass(w.grapple.anchor.x, 10 - below, 1);
                swinger_step(w, in);
                EXPECT_NEAR(w.player.y, y, 1e-3) << below;
            }
            continue;
        }
        // The rope laid straight over 12.5 is too long for 13 pieces; fifty passes pull the
        // player 0.073 along (0.6, 0.8) and the rope's ends towards each other.
        expect_at(w.player.pos(), 3.08785f, 0.04713f, 1e-4f, "player");
        const RopePoint &first = w.grapple.points[0], &last = w.grapple.points[10];
        expect_at({first.x, first.y}, 9.91528f, 9.15037f, 1e-4f, "rope point 0");
        expect_at({last.x, last.y}, 4.22969f, 1.56959f, 1e-4f, "rope point 10");

        // Fired while moving, each rope point k carries (k + 1) / 11 of the player's speed.
        moving.player.px -= 0.55f;
        moving.player.py -= 1.1f;
        swinger_step(moving, in);
        for (int k : {0, 4, 10}) {
            const float f = (k + 1) / 11.0f;
            const RopePoint &a = moving.grapple.points[k], &b = w.grapple.points[k];
            expect_at({a.x - b.x, a.y - b.y}, f * 0.55f, f * 1.1f, 1e-5f, "moving");
        }

        in.frame.right_button = true; // paying out while reeling in: +0.01 a step
        swinger_step(w, in);
        EXPECT_NEAR(w.grapple.segment_length, 12.5f / 13, 1e-5);
        // Reeled in and clamped to 0.08 .. 3.2, then paid out.
        for (auto [before, after] : {std::pair{0.05f, 0.1f}, {5.0f, 3.22f}}) {
            w.grapple.segment_length = before;
            swinger_step(w, in);
            EXPECT_FLOAT_EQ(w.grapple.segment_length, after) << before;
        }
        in.frame.left_button = false;
        swinger_step(w, in);
        EXPECT_FALSE(w.grapple.attached); // releasing always frees the player
        EXPECT_FLOAT_EQ(w.grapple.segment_length, 3.24f); // paying out goes on
        in.frame.left_button = true;
        w.ground = {};
        swinger_step(w, in);
        EXPECT_FALSE(w.grapple.attached); // nothing crossed: nothing to hold
    }
    SwingerWorld fresh; // disarmed at the start: a press held since then fires nothing
    fresh.ground = line({{20, 10}, {-20, 10}});
    FakeInput held;
    held.cursor_moved(0, 130).frame.left_button = true;
    swinger_step(fresh, held);
    EXPECT_FALSE(fresh.grapple.attached);
    Vec2 anchor;
    float distance = 0; // crossings 100 or more away are ignored
    const MyGameData far = line({{-1, 100}, {1, 100}});
    EXPECT_FALSE(find_shot_anchor(far, {0, 0}, {0, 120}, anchor, distance));
    EXPECT_TRUE(find_shot_anchor(line({{-1, 99}, {1, 99}}), {0, 0}, {0, 120}, anchor, distance));
}

TEST(Swinger, GroundAndSheepUnderfootAreGround) {
    SwingerWorld w = make_swinger_world();
    EXPECT_EQ(w.sheep.size(), 12u);
    EXPECT_EQ(w.clouds.size(), 10u);

    w = SwingerWorld{};
    w.ground = line({{-10, 0}, {10, 0}});
    w.player = make_mass(0, 1, 1); // resting on the ground: falls 0.07 and is put back
    w.sheep = {Sheep{}};
    w.sheep[0].body = make_mass(5, 1, 1); // and so is a sheep
    swinger_step(w, FakeInput{});
    EXPECT_TRUE(w.on_ground);
    EXPECT_FLOAT_EQ(w.player.y, 1);
    EXPECT_NEAR(w.sheep[0].body.y, 1, 1e-5);

    // In the air over a sheep 1.5 below, beside another, with the drift from the generator's
    // first draws (41, 18467 for the first sheep, 26500, 19169 for the second); 10 above the
    // origin, so that a sum of positions is no distance. The pointer colour moves on.
    random_reset();
    w = SwingerWorld{};
    w.player = make_mass(0, 10, 1);
    w.sheep = {Sheep{}, Sheep{}};
    w.sheep[0].body = make_mass(0, 8.5f, 1);
    w.sheep[1].body = make_mass(-1.5f, 7.5f, 1);
    w.camera_x = 2;
    swinger_step(w, FakeInput{});
    EXPECT_NEAR(w.camera_x, 2 + (0.01518f - 2) * 0.58f, 1e-5); // 0.58 of the way to the player
    EXPECT_TRUE(w.on_ground);
    expect_at(w.player.pos(), 0.01518f, 10.15827f, 1e-5f, "player");
    expect_at(w.sheep[0].body.pos(), 0.05055f, 8.36935f, 1e-5f, "sheep 0");
    expect_at(w.sheep[1].body.pos(), -1.60183f, 7.41661f, 1e-5f, "sheep 1");
    EXPECT_NE(w.pointer_colour.red + w.pointer_colour.green + w.pointer_colour.blue, 0);
    w.sheep[0].body = make_mass(30, FLOOR_Y, 1); // sunk into the floor: put back on it
    w.player = make_mass(60, FLOOR_Y, 1);
    swinger_step(w, FakeInput{});
    EXPECT_GE(w.sheep[0].body.y, 1 + FLOOR_Y);
    EXPECT_FLOAT_EQ(w.player.y, 1 + FLOOR_Y);
    EXPECT_TRUE(w.on_ground); // the floor is ground to jump from
}
