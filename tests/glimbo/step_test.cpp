#include "physics/keys.h"
#include "test_world.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

void run(GameState& gs, FakeHost& host, int steps) {
    for (int s = 0; s < steps; ++s)
        game_step(gs, host, 20);
}

// A jump tap inflates to 2, then the ball shrinks by 0.05 a step down to 1 (single
// precision leaves it at 0.95). In shrink mode it rests at 1.5 and the key shrinks it to 0.45.
// Falling, its speed is limited to 5 a step and it grows to half the speed.
TEST(PlayStep, JumpShrinkAndFallingSize) {
    GameState gs = play_world({{0, 0}});
    gs.gravity_y = 0;
    FakeHost host;
    Player& p = gs.players[0];
    p.jump_key = 'W';
    const struct {
        bool inflate, held;
        int steps;
        float low, high; // low excluded
    } holds[] = {{true, true, 2, 1.99f, 2},           {true, false, 20, 1, 1.05f},
                 {true, false, 11, 0.9499f, 0.9501f}, {false, false, 1, 1.4999f, 1.5f},
                 {false, true, 20, 0.5f, 0.55f},      {false, true, 5, 0.4499f, 0.4501f}};
    for (const auto& h : holds) {
        gs.inflate_mode = h.inflate;
        key_event(gs, 'W', h.held);
        run(gs, host, h.steps);
        EXPECT_GT(p.radius, h.low) << h.steps;
        EXPECT_LE(p.radius, h.high) << h.steps;
    }
    EXPECT_EQ(host.count(Sample::jump), 1);

    key_event(gs, 'J', true); // gravity back to 0.05 down
    p.y = p.prev_y = 1000;
    run(gs, host, 121);
    EXPECT_NEAR(p.y - p.prev_y, -5.05f, 1e-3);                  // limited to 5 before gravity
    EXPECT_TRUE(p.radius >= 2.45f - 1e-5f && p.radius <= 2.5f); // half the speed
    gs.inflate_mode = true;                                     // grows to half its speed too
    p.prev_x = p.x + 7;
    run(gs, host, 1);
    EXPECT_NEAR(p.radius, 3.5355339f, 1e-5); // both components at the limit
    for (bool inflate : {true, false}) {     // a ball larger than 2 shrinks: with the jump held,
        gs.inflate_mode = inflate;           // or in shrink mode, towards 1.5
        key_event(gs, 'W', inflate);
        p.radius = 2.5f, p.prev_x = p.x, p.prev_y = p.y;
        run(gs, host, 1);
        EXPECT_FLOAT_EQ(p.radius, 2.45f) << inflate;
    }
}

TEST(PlayStep, RollingPairsAndRespawn) {
    GameState gs = play_world({{0, 0}, {40, 0}});
    gs.gravity_y = 0;
    FakeHost host;
    Player& p = gs.players[0];
    p.roll_key = 'Q';
    for (int key : {int('Q'), KEY_SHIFT, int('K'), int('C')})
        key_event(gs, key, true);
    p.aim_x = 30, gs.players[1].pointer_x = 44;
    p.in_contact = 1, p.contact_timer = 5;
    run(gs, host, 1);
    // Roll on grip (0.05), then the leash: (30 - 39.95) x 0.01 each way.
    EXPECT_NEAR(p.x, 0.05f + 0.0995f, 1e-6);
    EXPECT_NEAR(gs.players[1].x, 40 - 0.0995f, 1e-5);
    EXPECT_EQ(host.count(Sample::thunk), 1);    // grip after none
    EXPECT_FLOAT_EQ(gs.camera_distance, 20.3f); // Shift + K zooms out
    EXPECT_NEAR(gs.camera_x, 0.20025f, 1e-6);   // C: the camera follows at 0.01
    EXPECT_EQ(gs.gravity_x, 0);                 // Shift without H leaves gravity alone
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

// A ball of radius 1.2 (1.15 once it has shrunk a step) 0.67 from a ground point is pushed out
// to its radius (hard) or 0.6 of the way (soft); the light, 1.1 from the point (nearer than the
// ball's radius), out to 5.
TEST(PlayStep, GroundPointCapsPushBallAndLight) {
    for (bool soft : {false, true}) {
        GameState gs = play_world({{4.4f, 2.3f}});
        gs.gravity_y = 0;
        gs.soft_collisions = soft;
        gs.players[0].radius = 1.2f;
        gs.light_x = 3.9f, gs.light_y = 2;
        gs.level.ground = {gp(5, 2), gp(15, 2)};
        FakeHost host;
        game_step(gs, host, 20);
        const float d = std::sqrt(0.45f), out = d + (1.15f - d) * (soft ? 0.6f : 1.0f);
        EXPECT_NEAR(gs.players[0].x, 5 - 0.6f / d * out, 1e-5) << soft;
        EXPECT_NEAR(gs.players[0].y, 2 + 0.3f / d * out, 1e-5) << soft;
        EXPECT_NEAR(std::hypot(gs.light_x - 5, gs.light_y - 2), 5, 1e-5) << soft;
    }
    GameState none = play_world({{0, 5}});
    none.player_count = 0; // no mice: no balls, and the camera stays where it is
    FakeHost host;
    game_step(none, host, 20);
    EXPECT_FLOAT_EQ(none.players[0].y, 5);
    EXPECT_FLOAT_EQ(none.camera_x, 0);

    GameState cling = play_world({{0, 1.64f}});
    cling.gravity_y = 0;
    cling.level.ground = {gp(-10, 0), gp(10, 0)};
    key_event(cling, KEY_CTRL, true);
    game_step(cling, host, 20);
    EXPECT_FLOAT_EQ(cling.players[0].y, 1); // Ctrl pulls a ball 0.64 off the ground onto it
}

TEST(PlayStep, KeysCameraLightFrameRateAndTail) {
    GameState gs = play_world({{0, 0}, {10, 0}});
    FakeHost host;
    gs.camera_x = 105, gs.sound_channel = 17;
    gs.players[0].pointer_dx = 30, gs.players[0].pointer_dy = 40;
    gs.players[1].wheel = 3;
    gs.level.ground = {gp(-60, -3), gp(60, -3)}; // 3 below the balls: out of their reach
    for (int key : {KEY_SHIFT, int('I'), int('M'), int('H')})
        key_event(gs, key, true);
    game_step(gs, host, 20);
    EXPECT_FALSE(gs.playing);
    EXPECT_FLOAT_EQ(gs.camera_distance, 19.7f);
    EXPECT_FLOAT_EQ(gs.time_taken, 20);
    EXPECT_FLOAT_EQ(gs.frame_rate, 0.5f);
    EXPECT_NEAR(gs.camera_x, 105 - 100 * 0.1f, 1e-4); // mean x of the players is 5
    EXPECT_NEAR(gs.camera_y, -0.005f, 1e-6);          // both fell 0.05
    // The light eases a tenth of the way to (0, -0.05), then moves a fifth of the way to 5
    // above the ground (0.895 to 1.116); then the same for (10, -0.05).
    EXPECT_NEAR(gs.light_x, 1.81f, 1e-5);
    EXPECT_NEAR(gs.light_y, 1.19952f, 1e-5);
    EXPECT_FLOAT_EQ(gs.gravity_x, 0); // towards the last player's pointer, 0.05 up
    EXPECT_NEAR(gs.gravity_y, 0.05f, 1e-6);
    EXPECT_EQ(gs.sound_channel, 0);
    EXPECT_EQ(host.cursor_moves, 1);
    EXPECT_FLOAT_EQ(gs.players[0].pointer_dx, 9.6f); // limited to length 16
    EXPECT_FLOAT_EQ(gs.players[0].pointer_dy, 12.8f);
    EXPECT_FLOAT_EQ(gs.players[1].wheel, 0);
    game_step(gs, host, 25); // menu: clock stands still
    EXPECT_FLOAT_EQ(gs.time_taken, 20);
    EXPECT_FLOAT_EQ(gs.frame_rate, 0.9f);
    game_step(gs, host, 0); // counted as 1 ms
    EXPECT_FLOAT_EQ(gs.frame_rate, 10.9f);
    gs.player_count = 9; // only the records there are are simulated
    game_step(gs, host, 20);
    EXPECT_EQ(gs.player_count, int(gs.players.size()));
}

} // namespace
