#include "game/flock.h"
#include "test_world.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr float KICK = 0.0000061037017f;

// A flock spread on a wide grid, far from everything, and the draws it will make.
GameState grid_flock(int players) {
    GameState gs = play_world(std::vector<std::pair<float, float>>(size_t(players), {0, 0}));
    gs.flock_enabled = true;
    for (int s = 0; s < FLOCK_SIZE; ++s) {
        const float x = 1000.0f + 10 * float(s % 20), y = 1000.0f + 10 * float(s / 20);
        gs.flock[size_t(s)] = {x, y, x, y, 1};
    }
    return gs;
}

float kick(RandomState& rng) {
    return float(random_next(rng)) * KICK - 0.1f;
}

TEST(Flock, DriftsWithoutFalling) {
    GameState gs = grid_flock(0);
    gs.flock[0] = {0, 0, 0, 0, 1};
    RandomState rng;
    const float k1 = kick(rng), k2 = kick(rng);
    flock_step(gs);
    EXPECT_FLOAT_EQ(gs.flock[0].x, k1 * 0.97f);
    EXPECT_FLOAT_EQ(gs.flock[0].y, k2 * 0.97f);
    EXPECT_FLOAT_EQ(gs.flock[0].prev_x, k1);
    EXPECT_FLOAT_EQ(gs.flock[0].prev_y, k2);

    for (int s = 0; s < 200; ++s)
        flock_step(gs);
    float mean_y = 0;
    for (int s = 1; s < FLOCK_SIZE; ++s)
        mean_y += gs.flock[size_t(s)].y - (1000.0f + 10 * float(s / 20));
    EXPECT_LT(std::fabs(mean_y / (FLOCK_SIZE - 1)), 0.5f); // no gravity: no drift downwards
    EXPECT_LT(std::fabs(gs.flock[0].y), 10);
}

TEST(Flock, ShoveFallAndSpacing) {
    GameState gs = grid_flock(1);
    Player& p = gs.players[0];
    p.x = p.prev_x = 21.5f;
    gs.flock[0] = {20, 0, 20, 0, 1};
    gs.flock[1] = {0, -301, 0, -301, 1};
    gs.flock[2] = {50, 0, 50, 0, 1};
    gs.flock[3] = {51, 0, 51, 0, 1};
    RandomState rng;
    const float sx = 20 + kick(rng) * 0.97f, sy = kick(rng) * 0.97f;
    kick(rng), kick(rng); // sheep 1
    const float ax = 50 + kick(rng) * 0.97f, ay = kick(rng) * 0.97f;
    const float bx = 51 + kick(rng) * 0.97f, by = kick(rng) * 0.97f;
    flock_step(gs);

    // Sheep 0 is shoved 0.8 of the overlap, the player 0.08 of it, along the centre line.
    const float dx = sx - 21.5f, dy = sy, d = std::hypot(dx, dy), overlap = 2 - d;
    EXPECT_NEAR(gs.flock[0].x, sx + dx / d * 0.8f * overlap, 1e-5);
    EXPECT_NEAR(gs.flock[0].y, sy + dy / d * 0.8f * overlap, 1e-5);
    EXPECT_NEAR(p.x, 21.5f - dx / d * 0.08f * overlap, 1e-5);
    EXPECT_EQ(p.in_contact, 1);
    EXPECT_FLOAT_EQ(p.contact_timer, 3);
    EXPECT_FLOAT_EQ(p.prev_x, 21.5f); // pushes move positions only

    // Below the fall limit: back at (0, -1) at rest.
    EXPECT_FLOAT_EQ(gs.flock[1].x, 0);
    EXPECT_FLOAT_EQ(gs.flock[1].y, -1);
    EXPECT_FLOAT_EQ(gs.flock[1].prev_y, -1);

    // Two passes of spacing: each pass moves both 0.46 of the shortfall apart.
    float ux = ax - bx, uy = ay - by;
    float dd = std::hypot(ux, uy);
    float gap = dd;
    for (int pass = 0; pass < 2; ++pass)
        gap += 2 * 0.46f * (2 - gap);
    EXPECT_NEAR(std::hypot(gs.flock[2].x - gs.flock[3].x, gs.flock[2].y - gs.flock[3].y), gap,
                1e-5);
    EXPECT_NEAR((gs.flock[2].x + gs.flock[3].x) / 2, (ax + bx) / 2, 1e-5);
}

TEST(Flock, GripLastsThreeStepsAfterTheLastTouch) {
    GameState gs = grid_flock(1);
    gs.gravity_y = 0;
    gs.flock[0] = {0.5f, 0, 0.5f, 0, 1};
    FakeHost host;
    game_step(gs, host, 20);
    EXPECT_EQ(gs.players[0].in_contact, 1);
    gs.flock_enabled = false; // frozen: no more touches
    for (int s = 0; s < 3; ++s) {
        game_step(gs, host, 20);
        EXPECT_EQ(gs.players[0].in_contact, 1) << "step " << s;
    }
    game_step(gs, host, 20);
    EXPECT_EQ(gs.players[0].in_contact, 0);
}

} // namespace
