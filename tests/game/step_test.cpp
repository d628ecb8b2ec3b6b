#include "game/keys.h"
#include "test_world.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

void run(GameState& gs, FakeHost& host, int steps) {
    for (int s = 0; s < steps; ++s)
        game_step(gs, host, 20);
}

TEST(PlayStep, FreeFallReachesTheLimitAndRadiusFollowsSpeed) {
    GameState gs = play_world({{0, 0}});
    FakeHost host;
    Player& p = gs.players[0];
    p.y = p.prev_y = 1000; // far above the fall limit
    run(gs, host, 1);
    EXPECT_NEAR(p.y - p.prev_y, -0.05f, 1e-4);
    run(gs, host, 120);
    EXPECT_NEAR(p.y - p.prev_y, -5.05f, 1e-3); // limited to 5, then gravity on top
    // Radius follows half the speed: 2.5, dropping 0.05 before being raised again.
    EXPECT_GE(p.radius, 2.45f - 1e-5f);
    EXPECT_LE(p.radius, 2.5f);
    // Both components at the limit: half of 5 * sqrt(2).
    p.prev_x = p.x + 7;
    run(gs, host, 1);
    EXPECT_NEAR(p.radius, 3.5355339f, 1e-5);
}

TEST(PlayStep, JumpTapAndShrinkMode) {
    GameState gs = play_world({{0, 0}});
    gs.gravity_y = 0;
    FakeHost host;
    Player& p = gs.players[0];
    p.jump_key = key_letter('W');
    key_event(gs, p.jump_key, true);
    run(gs, host, 2); // held for two steps: one jump sound only
    key_event(gs, p.jump_key, false);
    EXPECT_FLOAT_EQ(p.radius, 2);
    EXPECT_EQ(host.count(Sample::jump), 1);
    run(gs, host, 20);
    EXPECT_GT(p.radius, 1); // 2 - 20 x 0.05 is still just above 1
    run(gs, host, 1);
    EXPECT_NEAR(p.radius, 0.95f, 1e-5);
    run(gs, host, 10);
    EXPECT_NEAR(p.radius, 0.95f, 1e-5);

    // Inflating from 1.9 or more plays nothing.
    p.radius = 1.95f;
    key_event(gs, p.jump_key, true);
    run(gs, host, 1);
    EXPECT_EQ(host.count(Sample::jump), 1);
    EXPECT_FLOAT_EQ(p.radius, 2);

    // Shrink mode: at rest the ball rises to 1.5, held key takes it to 0.45 in 21 steps.
    key_event(gs, p.jump_key, false);
    gs.inflate_mode = false;
    p.radius = 1;
    run(gs, host, 1);
    EXPECT_FLOAT_EQ(p.radius, 1.5f);
    key_event(gs, p.jump_key, true);
    run(gs, host, 20);
    EXPECT_GT(p.radius, 0.5f);
    run(gs, host, 5);
    EXPECT_NEAR(p.radius, 0.45f, 1e-5);
}

TEST(PlayStep, RollingOnGripAndInTheAir) {
    GameState gs = play_world({{0, 0}});
    gs.gravity_y = 0;
    FakeHost host;
    Player& p = gs.players[0];
    p.roll_key = key_letter('Q');
    key_event(gs, p.roll_key, true);
    p.aim_x = 30;
    p.in_contact = 1;
    p.contact_timer = 5;
    run(gs, host, 1);
    EXPECT_FLOAT_EQ(p.x, 30 * 0.0016666667f);
    EXPECT_EQ(p.roll_held, 1);

    p.x = p.prev_x = 0;
    p.aim_x = 30;
    p.in_contact = 0;
    p.contact_timer = 0;
    run(gs, host, 1);
    EXPECT_FLOAT_EQ(p.x, 30 * 0.000999999931f);
    EXPECT_LT(p.x, 0.03f);
}

TEST(PlayStep, PairPushAndLeash) {
    GameState gs = play_world({{0, 0}, {40, 0}});
    gs.gravity_y = 0;
    FakeHost host;
    run(gs, host, 1);
    EXPECT_FLOAT_EQ(gs.players[0].x, 0.1f);
    EXPECT_FLOAT_EQ(gs.players[1].x, 39.9f);

    gs = play_world({{0, 0}, {20, 0}});
    gs.gravity_y = 0;
    run(gs, host, 1);
    EXPECT_FLOAT_EQ(gs.players[0].x, 0);
    EXPECT_FLOAT_EQ(gs.players[1].x, 20);

    gs = play_world({{0, 0}, {1.5f, 0}});
    gs.gravity_y = 0;
    run(gs, host, 1);
    EXPECT_FLOAT_EQ(gs.players[0].x, -0.23f); // (2 - 1.5) x 0.46 each way
    EXPECT_FLOAT_EQ(gs.players[1].x, 1.73f);
}

TEST(PlayStep, RespawnBelowTheFallLimitAndOnSpikes) {
    GameState gs = play_world({{0, 0}});
    FakeHost host;
    Player& p = gs.players[0];
    p.x = p.prev_x = 7;
    p.y = -299.5f;
    p.prev_y = -298.5f;
    p.ropes[0].attached = 1;
    run(gs, host, 1);
    EXPECT_FLOAT_EQ(p.x, 0);
    EXPECT_FLOAT_EQ(p.prev_x, 0);
    EXPECT_FLOAT_EQ(p.y, -1);
    EXPECT_FLOAT_EQ(p.prev_y, -1);
    EXPECT_EQ(p.ropes[0].attached, 0);

    gs.level.ground = {gp(-50, -10, SURFACE_SPIKES), gp(50, -10)};
    p.x = p.prev_x = 20;
    p.y = p.prev_y = -9.5f;
    run(gs, host, 1);
    EXPECT_FLOAT_EQ(p.x, 0); // killed and put back in the same step
    EXPECT_FLOAT_EQ(p.y, -1);
}

TEST(PlayStep, ThunkPlaysOnTheStepAfterLanding) {
    GameState gs = play_world({{0, 1.02f}});
    gs.level.ground = {gp(-50, 0), gp(50, 0)};
    FakeHost host;
    Player& p = gs.players[0];
    run(gs, host, 1); // touches ground in this step
    EXPECT_EQ(p.in_contact, 1);
    EXPECT_EQ(host.count(Sample::thunk), 0);
    run(gs, host, 1);
    ASSERT_EQ(host.count(Sample::thunk), 1);
    run(gs, host, 5); // resting: no more thunks
    EXPECT_EQ(host.count(Sample::thunk), 1);
    p.y = p.prev_y = 20; // lift it: contact lapses, then land again
    run(gs, host, 2);
    EXPECT_EQ(p.in_contact, 0);
    p.y = p.prev_y = 1.02f;
    run(gs, host, 2);
    EXPECT_EQ(host.count(Sample::thunk), 2);
}

TEST(PlayStep, KeysCameraFrameRateAndTail) {
    GameState gs = play_world({{0, 0}, {10, 0}});
    FakeHost host;
    gs.camera_x = 105;
    gs.camera_y = 0;
    gs.sound_channel = 17;
    gs.players[0].pointer_dx = 30;
    gs.players[0].pointer_dy = 40;
    gs.players[1].wheel = 3;
    key_event(gs, KEY_SHIFT, true);
    key_event(gs, key_letter('I'), true);
    key_event(gs, key_letter('M'), true);
    game_step(gs, host, 20);
    EXPECT_FALSE(gs.playing); // M ends play after this step
    EXPECT_FLOAT_EQ(gs.camera_distance, 19.7f);
    EXPECT_FLOAT_EQ(gs.time_taken, 20);
    EXPECT_FLOAT_EQ(gs.frame_rate, 0.5f);           // 50 in the newest of 100 slots
    EXPECT_FLOAT_EQ(gs.camera_x, 105 - 100 * 0.1f); // mean x of the players is 5
    EXPECT_EQ(gs.sound_channel, 0);
    EXPECT_EQ(host.cursor_moves, 1);
    EXPECT_FLOAT_EQ(gs.players[0].pointer_dx, 9.6f); // 30, 40 limited to length 16
    EXPECT_FLOAT_EQ(gs.players[0].pointer_dy, 12.8f);
    EXPECT_FLOAT_EQ(gs.players[0].pointer_x, gs.players[0].x + 9.6f);
    EXPECT_FLOAT_EQ(gs.players[1].wheel, 0);
    game_step(gs, host, 25); // menu step: clock stands, frame rate goes on
    EXPECT_FLOAT_EQ(gs.time_taken, 20);
    EXPECT_FLOAT_EQ(gs.frame_rate, 0.9f);
}

TEST(PlayStep, GravityKeys) {
    GameState gs = play_world({{0, 0}});
    gs.gravity_y = 0;
    FakeHost host;
    gs.players[0].pointer_x = 3; // pointer to the right of the centre
    key_event(gs, KEY_SHIFT, true);
    key_event(gs, key_letter('H'), true);
    game_step(gs, host, 20);
    EXPECT_NEAR(gs.gravity_x, 0.05f, 1e-6);
    EXPECT_NEAR(gs.gravity_y, 0, 1e-6);
    key_event(gs, key_letter('J'), true); // J wins over Shift + H
    game_step(gs, host, 20);
    EXPECT_FLOAT_EQ(gs.gravity_x, 0);
    EXPECT_FLOAT_EQ(gs.gravity_y, -0.05f);
}

} // namespace
