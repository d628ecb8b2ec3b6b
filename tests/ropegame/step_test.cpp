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
    EXPECT_NEAR(w.players[0].y, 0.3f + 0.3f / d * 0.95f * overlap, 1e-5);
    EXPECT_EQ(w.players[0].in_contact, 0);

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

} // namespace
