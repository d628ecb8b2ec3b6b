#include "physics/keys.h"
#include "test_world.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

void run(GameState& gs, FakeHost& host, int steps) {
    for (int s = 0; s < steps; ++s)
        game_step(gs, host, 20);
}

TEST(PlayStep, FreeFallLimitAndRadius) {
    GameState gs = play_world({{0, 1000}});
    FakeHost host;
    Player& p = gs.players[0];
    run(gs, host, 121);
    EXPECT_NEAR(p.y - p.prev_y, -5.05f, 1e-3);                  // limited to 5 before gravity
    EXPECT_TRUE(p.radius >= 2.45f - 1e-5f && p.radius <= 2.5f); // half the speed
    p.prev_x = p.x + 7;
    run(gs, host, 1);
    EXPECT_NEAR(p.radius, 3.5355339f, 1e-5); // both components at the limit
}

TEST(PlayStep, JumpTapAndShrinkMode) {
    GameState gs = play_world({{0, 0}});
    gs.gravity_y = 0;
    FakeHost host;
    Player& p = gs.players[0];
    p.jump_key = 'W';
    auto hold = [&](bool down, int steps) {
        key_event(gs, 'W', down);
        run(gs, host, steps);
    };
    hold(true, 2);
    EXPECT_FLOAT_EQ(p.radius, 2);
    EXPECT_EQ(host.count(Sample::jump), 1);
    hold(false, 20);
    EXPECT_GT(p.radius, 1); // 2 - 20 x 0.05 is still above 1 in single precision
    hold(false, 11);
    EXPECT_NEAR(p.radius, 0.95f, 1e-5);
    gs.inflate_mode = false; // shrink mode: rest at 1.5, down to 0.45 in 21 steps
    hold(false, 1);
    EXPECT_FLOAT_EQ(p.radius, 1.5f);
    hold(true, 20);
    EXPECT_GT(p.radius, 0.5f);
    hold(true, 5);
    EXPECT_NEAR(p.radius, 0.45f, 1e-5);
}

TEST(PlayStep, RollingPairsAndRespawn) {
    GameState gs = play_world({{0, 0}, {40, 0}});
    gs.gravity_y = 0;
    FakeHost host;
    Player& p = gs.players[0];
    p.roll_key = 'Q';
    key_event(gs, 'Q', true);
    p.aim_x = 30;
    p.in_contact = 1, p.contact_timer = 5;
    run(gs, host, 1);
    // Roll on grip (0.05), then the leash: (30 - 39.95) x 0.01 each way.
    EXPECT_NEAR(p.x, 0.05f + 0.0995f, 1e-6);
    EXPECT_NEAR(gs.players[1].x, 40 - 0.0995f, 1e-5);
    p.x = p.prev_x = 20, p.aim_x = 50, p.in_contact = p.contact_timer = 0;
    run(gs, host, 1);
    EXPECT_FLOAT_EQ(p.x, 20 + 30 * 0.000999999931f); // in the air; 20 apart: no pull

    gs = play_world({{0, 0}, {0.9f, 1.2f}}); // 1.5 apart along (0.6, 0.8)
    gs.gravity_y = 0;
    run(gs, host, 1);
    EXPECT_FLOAT_EQ(gs.players[0].x, -0.138f); // (2 - 1.5) x 0.46 each way
    EXPECT_FLOAT_EQ(gs.players[0].y, -0.184f);
    EXPECT_FLOAT_EQ(gs.players[1].x, 1.038f);
    EXPECT_FLOAT_EQ(gs.players[1].y, 1.384f);

    gs.players[0].y = -299.5f, gs.players[0].prev_y = -298.5f;
    gs.players[0].ropes[0].attached = 1;
    gs.level.ground = {gp(-50, -10, SURFACE_SPIKES), gp(50, -10)};
    gs.players[1].y = gs.players[1].prev_y = -9.5f;
    run(gs, host, 1);
    for (const Player& q : {gs.players[0], gs.players[1]}) {
        EXPECT_NEAR(q.x, 0, 0.5); // fell, and touched spikes: both back at (0, -1)
        EXPECT_FLOAT_EQ(q.prev_y, -1);
    }
    EXPECT_EQ(gs.players[0].ropes[0].attached, 0);
}

TEST(PlayStep, GroundPointCapsPushOutAndNoPlayersMeansNoBalls) {
    for (bool soft : {false, true}) {
        GameState gs = play_world({{-0.6f, 0.3f}});
        gs.gravity_y = 0;
        gs.soft_collisions = soft;
        gs.light_x = gs.light_y = 1000;
        gs.level.ground = {gp(0, 0), gp(10, 0)};
        FakeHost host;
        game_step(gs, host, 20);
        const float d = std::sqrt(0.45f), out = d + (1 - d) * (soft ? 0.6f : 1.0f);
        EXPECT_NEAR(gs.players[0].x, -0.6f / d * out, 1e-5) << soft;
        EXPECT_NEAR(gs.players[0].y, 0.3f / d * out, 1e-5) << soft;
    }
    GameState none = play_world({{0, 5}});
    none.player_count = 0;
    FakeHost host;
    game_step(none, host, 20);
    EXPECT_FLOAT_EQ(none.players[0].y, 5);
}

TEST(PlayStep, KeysCameraFrameRateAndTail) {
    GameState gs = play_world({{0, 0}, {10, 0}});
    FakeHost host;
    gs.camera_x = 105, gs.sound_channel = 17;
    gs.players[0].pointer_dx = 30, gs.players[0].pointer_dy = 40;
    gs.players[1].wheel = 3;
    for (int key : {KEY_SHIFT, int('I'), int('M'), int('H')})
        key_event(gs, key, true);
    gs.players[0].pointer_x = 3; // H + Shift: gravity towards the pointer
    game_step(gs, host, 20);
    EXPECT_FALSE(gs.playing);
    EXPECT_FLOAT_EQ(gs.camera_distance, 19.7f);
    EXPECT_FLOAT_EQ(gs.time_taken, 20);
    EXPECT_FLOAT_EQ(gs.frame_rate, 0.5f);
    EXPECT_NEAR(gs.camera_x, 105 - 100 * 0.1f, 1e-4); // mean x of the players is 5
    EXPECT_NEAR(std::hypot(gs.gravity_x, gs.gravity_y), 0.05f, 1e-6);
    EXPECT_EQ(gs.sound_channel, 0);
    EXPECT_EQ(host.cursor_moves, 1);
    EXPECT_FLOAT_EQ(gs.players[0].pointer_dx, 9.6f); // limited to length 16
    EXPECT_FLOAT_EQ(gs.players[0].pointer_dy, 12.8f);
    EXPECT_FLOAT_EQ(gs.players[1].wheel, 0);
    game_step(gs, host, 25); // menu: clock stands still
    EXPECT_FLOAT_EQ(gs.time_taken, 20);
    EXPECT_FLOAT_EQ(gs.frame_rate, 0.9f);
}

} // namespace
