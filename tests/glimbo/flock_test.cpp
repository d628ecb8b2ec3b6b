#include "glimbo/flock.h"
#include "test_world.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

float kick(RandomState& rng) {
    return float(random_next(rng)) * 0.0000061037017f - 0.1f;
}

// Sheep 0-4 placed for a drift, a shove by player 0 at (21.5, 0), a fall and a pair too
// close together; the rest on a wide grid far from everything.
TEST(Flock, DriftShoveFallSpacingAndGrip) {
    GameState gs = play_world({{21.5f, 0}});
    gs.flock_enabled = true;
    for (int s = 0; s < FLOCK_SIZE; ++s) {
        const float x = 1000.0f + 10 * float(s % 20), y = 1000.0f + 10 * float(s / 20);
        gs.flock[size_t(s)] = {x, y, x, y, 1};
    }
    Player& p = gs.players[0];
    gs.flock[0] = {20, 0, 20, 0, 1};
    gs.flock[1] = {0, -301, 0, -301, 1};
    gs.flock[2] = {50, 0, 50, 0, 1};
    gs.flock[3] = {51, 0, 51, 0, 1};
    gs.flock[4] = {-50, 50, -50, 50, 1};
    RandomState rng;
    const float sx = 20 + kick(rng) * 0.97f, sy = kick(rng) * 0.97f;
    kick(rng), kick(rng);
    const float ax = 50 + kick(rng) * 0.97f, ay = kick(rng) * 0.97f;
    const float bx = 51 + kick(rng) * 0.97f, by = kick(rng) * 0.97f;
    const float k1 = kick(rng), k2 = kick(rng);
    flock_step(gs);

    // Drift: the position takes 0.97 of the kick, the previous position all of it.
    EXPECT_FLOAT_EQ(gs.flock[4].x, -50 + k1 * 0.97f);
    EXPECT_FLOAT_EQ(gs.flock[4].prev_y, 50 + k2);
    // Shove: the sheep moves 0.8 of the overlap, the player 0.08, along the centre line.
    const float dx = sx - 21.5f, d = std::hypot(dx, sy), overlap = 2 - d;
    EXPECT_NEAR(gs.flock[0].x, sx + dx / d * 0.8f * overlap, 1e-5);
    EXPECT_NEAR(gs.flock[0].y, sy + sy / d * 0.8f * overlap, 1e-5);
    EXPECT_NEAR(p.x, 21.5f - dx / d * 0.08f * overlap, 1e-5);
    EXPECT_FLOAT_EQ(p.prev_x, 21.5f);
    // Fall: back at (0, -1) at rest.
    EXPECT_FLOAT_EQ(gs.flock[1].x, 0);
    EXPECT_FLOAT_EQ(gs.flock[1].prev_y, -1);
    // Spacing, twice: each pass moves both 0.46 of the shortfall apart.
    float gap = std::hypot(ax - bx, ay - by);
    gap += 2 * 0.46f * (2 - gap);
    gap += 2 * 0.46f * (2 - gap);
    EXPECT_NEAR(std::hypot(gs.flock[2].x - gs.flock[3].x, gs.flock[2].y - gs.flock[3].y), gap,
                1e-5);
    EXPECT_NEAR(gs.flock[2].x + gs.flock[3].x, ax + bx, 1e-5);

    // The shove gives grip for three steps after the touch.
    gs.flock_enabled = false;
    FakeHost host;
    for (int s = 0; s < 4; ++s) {
        game_step(gs, host, 20);
        EXPECT_EQ(p.in_contact, s < 3) << s;
    }
    for (int s = 0; s < 200; ++s) // no gravity: a lone sheep never falls away
        flock_step(gs);
    EXPECT_LT(std::fabs(gs.flock[4].y - 50), 10);
}

} // namespace
