#include "physics/ball_core.h"
#include "physics/collision.h"
#include "tests/glimbo/test_world.h"

#include <gtest/gtest.h>

namespace {

// A player ball of radius 1 against one segment: where it ends up and what it felt.
TEST(Collision, OneSegmentCases) {
    const GroundPoint a = gp(0, 0), b = gp(10, 0);
    const CollisionSettings soft{true, false}, ctrl{false, true};
    const GroundPoint c = gp(0, 0), d = gp(6, 8); // normal (0.8, -0.6) into the solid
    const struct {
        GroundPoint p1, p2;
        float x, y;
        CollisionSettings settings;
        float out_x, out_y;
        bool contact, death;
    } cases[] = {
        {a, b, 5, 0.9f, {}, 5, 1, true, false},                   // pushed out to the radius
        {a, b, 5, -1.5f, {}, 5, 1, true, false},                  // inside, within 2r
        {a, b, 5, 1.2f, {}, 5, 1.2f, false, false},               // clear of the line
        {a, b, 5, -2.5f, {}, 5, -2.5f, false, false},             // deeper than 2r
        {b, a, 5, 0.9f, {}, 5, -1, true, false},                  // reversed: open side below
        {c, d, 1.64f, 5.02f, ctrl, 2.2f, 4.6f, true, false},      // Ctrl clings from 1.7
        {c, d, 1.48f, 5.14f, ctrl, 1.48f, 5.14f, false, false},   // but not from 1.9
        {a, b, 10.5f, 0.5f, {}, 10.5f, 0.5f, false, false},       // passes rejection, t = 1.05
        {a, b, 11, 0.5f, {}, 11, 0.5f, false, false},             // rejected
        {gp(5, 0), gp(5, 0), 5, 0.5f, {}, 5, 0.5f, false, false}, // zero length
        {a, gp(1, 0), 0.5f, 0.5f, {}, 0.5f, 1, true, false},      // length 1
        {gp(0, 0, SURFACE_ICE), b, 5, 0.5f, {}, 5, 1, false, false},
        {gp(0, 0, SURFACE_SPIKES), b, 5, 0.5f, {}, 5, 1, false, true},
        {gp(0, 0, 5), b, 5, 0.5f, {}, 5, 1, false, false},               // unknown surface
        {gp(0, 0, SURFACE_ICE), b, 5, 0.5f, soft, 5, 0.6f, true, false}, // a fifth of the way
        {a, b, 5, -4.5f, soft, 5, -3.4f, true, false},                   // reach 5r
    };
    for (const auto& k : cases) {
        float x = k.x, y = k.y;
        bool contact = false, death = false;
        collide_with_segment(k.p1, k.p2, x, y, 1, contact, k.p1.type, true, death, k.settings);
        EXPECT_NEAR(x, k.out_x, 1e-5) << k.x << ", " << k.y;
        EXPECT_NEAR(y, k.out_y, 1e-5) << k.x << ", " << k.y;
        EXPECT_TRUE(contact == k.contact && death == k.death) << k.x << ", " << k.y;
    }
}

// Skipping runs of segments must give bit for bit the result of testing each one.
TEST(Collision, BlockSkippingMatchesTestingEverySegment) {
    RandomState rng;
    auto uniform = [&](float lo, float hi) {
        return lo + (hi - lo) * float(random_next(rng)) / 32767.0f;
    };
    for (size_t points : {2u, 300u}) { // one segment, and 19 blocks of up to 16
        std::vector<GroundPoint> ground;
        for (float x = -200; ground.size() < points; x += uniform(-3, 6))
            ground.push_back(gp(x, uniform(-20, 20)));
        SegmentBlocks blocks;
        build_segment_blocks(ground, blocks);
        ASSERT_EQ(blocks.boxes.size(), points == 2 ? 1u : 19u);
        for (int trial = 0; trial < 3000; ++trial) {
            const CollisionSettings settings{trial % 3 == 0, false};
            const float r = uniform(0.3f, 4);
            float ax = uniform(-220, 1000), ay = uniform(-40, 40);
            if (trial % 2) { // next to a segment's middle, every one in turn, the last included
                const size_t k = size_t(trial / 2) % (ground.size() - 1);
                ax = (ground[k].x + ground[k + 1].x) / 2 + uniform(-r, r);
                ay = (ground[k].y + ground[k + 1].y) / 2 + uniform(-2 * r, 2 * r);
            }
            float bx = ax, by = ay;
            collide_body_with_ground(ground, blocks, ax, ay, r, settings);
            for (size_t k = 0; k + 1 < ground.size(); ++k) {
                bool contact = false, death = false;
                collide_with_segment(ground[k], ground[k + 1], bx, by, r, contact, 1, false, death,
                                     settings);
            }
            ASSERT_TRUE(ax == bx && ay == by) << trial;
        }
    }
}

// Rope nodes fall freely between the link solves: velocity from the last two positions.
TEST(BallCore, RopeNodesFallAndAPointerOnTheBallAimsNowhere) {
    Rope rope;
    rope.attached = 1;
    rope.nodes[3] = {2, 5, 1, 5}; // moving right by 1 a step
    for (int step = 0; step < 3; ++step)
        integrate_rope_nodes(rope, 0, -0.05f);
    EXPECT_FLOAT_EQ(rope.nodes[3].x, 5);
    EXPECT_NEAR(rope.nodes[3].y, 5 - 0.05f * (1 + 2 + 3), 1e-5);
    EXPECT_NEAR(rope.nodes[3].prev_y, 5 - 0.05f * (1 + 2), 1e-5);
    rope.attached = 0; // a loose rope stays where it is
    integrate_rope_nodes(rope, 0, -0.05f);
    EXPECT_FLOAT_EQ(rope.nodes[3].x, 5);
    EXPECT_EQ(aim_offset(4, 10, 4, 10).dx, 0);
    const SegmentParams q = segment_intersection(0, 0, 1, 0, 0.5f, 0.5f, 0.5f, -0.5f);
    EXPECT_TRUE(q.t == 0.5f && q.w == 0.5f); // crossing at both middles
}

} // namespace
