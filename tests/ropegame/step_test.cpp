#include "physics/ball_core.h"
#include "physics/keys.h"
#include "rope_world.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace ropegame;

namespace {

// One play step of 20 ms with each key held, from a ball at rest at the origin aiming right
// (aim offset (30, 0)) under a light gravity, with the camera at (10, 0).
TEST(RopegamePlay, KeysOfThePlayStep) {
    struct Case {
        int key;
        bool playing;
        float gravity_x, gravity_y, distance, camera_x;
    };
    const Case cases[] = {
        {0, true, 0.01f, 0.02f, 20, 9},
        {'M', false, 0.01f, 0.02f, 20, 9},
        {'I', true, 0.01f, 0.02f, 19.9f, 9},
        {'K', true, 0.01f, 0.02f, 20.1f, 9},
        {'H', true, 30 * POINTER_GRAVITY, 0, 20, 9}, // towards the pointer
        {'J', true, 0, -0.05f, 20, 9},
        {'C', true, 0.01f, 0.02f, 20, 9.9f}, // the camera follows ten times slower
    };
    for (const Case& c : cases) {
        World w = rope_world({{0, 0}});
        w.gravity_x = 0.01f, w.gravity_y = 0.02f;
        w.camera_x = 10;
        hold(w, c.key);
        FakeHost host;
        run(w, host);
        EXPECT_EQ(w.playing, c.playing) << char(c.key);
        EXPECT_NEAR(w.gravity_x, c.gravity_x, 1e-3) << char(c.key);
        EXPECT_NEAR(w.gravity_y, c.gravity_y, 1e-3) << char(c.key);
        EXPECT_FLOAT_EQ(w.camera_distance, c.distance) << char(c.key);
        EXPECT_FLOAT_EQ(w.camera_x, c.camera_x) << char(c.key);
        EXPECT_FLOAT_EQ(w.time_taken, 20) << char(c.key);
    }
}

TEST(RopegameCamera, IntegerMeanOfThePlayers) {
    World w = rope_world({{0.9f, -0.9f}, {2.9f, -2.9f}});
    w.camera_x = 11, w.camera_y = -5;
    follow_camera(w, 1); // 0 + 0.9 -> 0, 0 + 2.9 -> 2, 2 / 2 = 1; the same toward zero below
    EXPECT_FLOAT_EQ(w.camera_x, 1);
    EXPECT_FLOAT_EQ(w.camera_y, -1);
    w.player_count = 0; // no mouse: the camera stays
    follow_camera(w, 0.1f);
    EXPECT_FLOAT_EQ(w.camera_x, 1);
    w.player_count = 1;
    w.players[0].x = 1e30f; // far beyond the integer range: held at its end, no overflow
    follow_camera(w, 0);
    EXPECT_FLOAT_EQ(w.camera_x, 1);
}

TEST(RopegameGround, PointsGiveWayContactLastsThreeStepsIceAndSpikes) {
    // Left of the line's first point, where the segment test does not reach, the ball pushes
    // the point by 0.05 of the overlap and moves 0.95 of it; the cap gives no grip.
    World w = rope_world({{-0.6f, 0.3f}});
    w.gravity_y = 0;
    w.light_x = w.light_y = 1000;
    w.level.ground = {gp(0, 0), gp(10, 0)};
    FakeHost host;
    run(w, host);
    const float overlap = 1 - std::sqrt(0.6f * 0.6f + 0.3f * 0.3f);
    const float d = std::sqrt(0.45f);
    EXPECT_NEAR(w.level.ground[0].x, 0.6f / d * 0.05f * overlap, 1e-6);
    EXPECT_NEAR(w.level.ground[0].y, -0.3f / d * 0.05f * overlap, 1e-6);
    EXPECT_NEAR(w.players[0].x, -0.6f - 0.6f / d * 0.95f * overlap, 1e-5);
    EXPECT_EQ(w.players[0].in_contact, 0);
    GroundPoint g = gp(0, 0);
    float x = 0, y = 0; // a centre on the point: no direction, nothing moves
    push_ground_point(g, x, y, 1);
    EXPECT_FLOAT_EQ(g.x, 0);

    w = rope_world({{0, -1}});
    w.level.ground = {gp(-60, -2), gp(60, -2)};
    ropegame::Player& p = w.players[0];
    run(w, host);
    EXPECT_EQ(p.in_contact, 1);
    EXPECT_FLOAT_EQ(p.contact_timer, 3);
    EXPECT_FLOAT_EQ(p.y, -1);
    p.y = p.prev_y = 50; // off the ground, hanging still
    w.gravity_y = 0;
    for (int s = 0; s < 3; ++s) {
        run(w, host);
        EXPECT_EQ(p.in_contact, 1) << "step " << s;
    }
    run(w, host);
    EXPECT_EQ(p.in_contact, 0);

    w.level.ground = {gp(-60, -2, SURFACE_ICE), gp(60, -2)};
    p.y = p.prev_y = -1;
    p.in_contact = 1, p.contact_timer = 3;
    run(w, host);
    EXPECT_EQ(p.in_contact, 0);              // ice: no grip at once
    EXPECT_FLOAT_EQ(p.contact_timer, 3);     // the touch itself still starts the timer
    w.level.ground[0].type = SURFACE_SPIKES; // spikes: back to the start
    p.x = p.prev_x = 20, p.y = p.prev_y = -1;
    run(w, host);
    EXPECT_FLOAT_EQ(p.x, 0);
    EXPECT_FLOAT_EQ(p.y, -1);
}

TEST(RopegameRolling, OnlyPlayersZeroAndOneWithQAndO) {
    World w = rope_world({{0, 0}, {10, 0}, {20, 0}});
    w.gravity_y = 0;
    for (ropegame::Player& p : w.players)
        p.aim_x = p.x + 30, p.aim_y = p.y;
    w.players[1].in_contact = 1, w.players[1].contact_timer = 5;
    FakeHost host;
    hold(w, 'Q'), hold(w, 'O'), hold(w, 'E'), hold(w, 'W');
    run(w, host);
    // Rolled before the first pass, so the pull also becomes this step's velocity.
    EXPECT_FLOAT_EQ(w.players[0].x, 2 * 30 * 0.001f);
    EXPECT_FLOAT_EQ(w.players[1].x, 10 + 2 * 30 * 0.002f);
    EXPECT_FLOAT_EQ(w.players[2].x, 20);
    EXPECT_EQ(w.players[2].roll_held, 0);

    hold(w, 'Q', false);
    const float x0 = w.players[0].x;
    run(w, host); // only O: player 0 keeps its speed and no more
    EXPECT_FLOAT_EQ(w.players[0].x, x0 + 30 * 0.001f);
    EXPECT_EQ(w.players[0].roll_held, 0);
    EXPECT_EQ(w.players[1].roll_held, 1);

    World one = rope_world({{0, 0}}); // player 1 is a spare record, and still rolls
    one.players[1].aim_x = 30;
    hold(one, 'O');
    run(one, host);
    EXPECT_FLOAT_EQ(one.players[1].x, 30 * 0.001f); // not simulated: no integration
}

TEST(RopegameRopes, PlainSecondButtonNarrowPlayersAndOneSound) {
    World w = rope_world({{0, 0}, {10, 2}});
    w.gravity_y = 0;
    w.players[1].radius = 3; // crossed at 2 units off the aim line: within 3, not within 1
    FakeHost host;
    ropegame::Player& p = w.players[0];
    auto second_button = [&](bool down, int steps) {
        player_mouse_input(w, 0, 0, 0, 0, false, down, false);
        run(w, host, steps);
    };
    second_button(true, 1);
    EXPECT_EQ(p.ropes[1].attached, 0);
    EXPECT_TRUE(host.sounds.empty());

    w.players[1].x = w.players[1].prev_x = -10; // out of the way
    w.level.ground = {gp(8, -10), gp(8, 10)};   // a wall 8 to the right, open side to the left
    second_button(false, 1);
    hold(w, KEY_SHIFT);
    second_button(true, 1);
    ASSERT_EQ(p.ropes[1].attached, 1);
    EXPECT_EQ(p.ropes[1].rigid, 1); // Shift at the moment of firing
    EXPECT_EQ(host.sounds, (std::vector<std::pair<Sample, int>>{{ROPE_SOUND, 0}}));
    second_button(true, 3); // still held: stays
    EXPECT_EQ(p.ropes[1].attached, 1);
    second_button(false, 1); // released: lets go
    EXPECT_EQ(p.ropes[1].attached, 0);
    EXPECT_EQ(host.sounds.size(), 1u);
}

} // namespace
