#include "physics/ball_core.h"
#include "physics/collision.h"
#include "tests/glimbo/test_world.h"

#include <gtest/gtest.h>

namespace {

struct Hit {
    float x, y;
    bool contact, death;
};

// A player ball of radius 1 at (x, y) against the segment a-b.
Hit collide(GroundPoint a, GroundPoint b, float x, float y, CollisionSettings s = {}) {
    bool contact = false, death = false;
    collide_with_segment(a, b, x, y, 1, contact, a.type, true, death, s);
    return {x, y, contact, death};
}

TEST(Collision, CrossingTest) {
    SegmentParams p = segment_intersection(0, 0, 10, 0, 2, 5, 2, -15);
    EXPECT_FLOAT_EQ(p.t, 0.2f);
    EXPECT_FLOAT_EQ(p.w, 0.75f); // (2, -15) + 0.75 (0, 20)
    EXPECT_TRUE(params_in_unit_range({0, 1}));
    EXPECT_FALSE(params_in_unit_range({1.0001f, 0.5f}));
    EXPECT_FALSE(params_in_unit_range(segment_intersection(0, 0, 10, 0, 0, 1, 10, 1)));
    EXPECT_FALSE(params_in_unit_range(segment_intersection(0, 0, 10, 0, 2, 0, 8, 0)));
}

TEST(Collision, OpenSideRejectionAndCling) {
    const GroundPoint a = gp(0, 0), b = gp(10, 0);
    EXPECT_FLOAT_EQ(collide(a, b, 5, 0.9f).y, 1);
    EXPECT_TRUE(collide(a, b, 5, 0.9f).contact);
    EXPECT_FLOAT_EQ(collide(a, b, 5, -1.5f).y, 1);               // inside, within 2r
    EXPECT_FLOAT_EQ(collide(a, b, 5, 1.2f).y, 1.2f);             // clear of the line
    EXPECT_FALSE(collide(a, b, 5, -2.5f).contact);               // deeper than 2r
    EXPECT_FLOAT_EQ(collide(b, a, 5, 0.9f).y, -1);               // reversed: open side below
    EXPECT_FLOAT_EQ(collide(a, b, 5, 1.7f, {false, true}).y, 1); // Ctrl cling
    EXPECT_FLOAT_EQ(collide(a, b, 5, 1.9f, {false, true}).y, 1.9f);
    EXPECT_FLOAT_EQ(collide(a, b, 10.5f, 0.5f).y, 0.5f); // passes rejection, t = 1.05
    EXPECT_FLOAT_EQ(collide(a, b, 11, 0.5f).y, 0.5f);
    EXPECT_FALSE(collide(gp(5, 0), gp(5, 0), 5, 0.5f).contact); // zero length
}

TEST(Collision, SurfacesAndSoftMode) {
    Hit h = collide(gp(0, 0, SURFACE_ICE), gp(10, 0), 5, 0.5f);
    EXPECT_FLOAT_EQ(h.y, 1);
    EXPECT_FALSE(h.contact);
    EXPECT_TRUE(collide(gp(0, 0, SURFACE_SPIKES), gp(10, 0), 5, 0.5f).death);
    h = collide(gp(0, 0, 5), gp(10, 0), 5, 0.5f);
    EXPECT_FALSE(h.contact || h.death);
    // Soft: a fifth of the way, grip on ice, reach 5r.
    h = collide(gp(0, 0, SURFACE_ICE), gp(10, 0), 5, 0.5f, {true, false});
    EXPECT_FLOAT_EQ(h.y, 0.6f);
    EXPECT_TRUE(h.contact);
    EXPECT_FLOAT_EQ(collide(gp(0, 0), gp(10, 0), 5, -4.5f, {true, false}).y, -3.4f);
}

// Skipping runs of segments must give bit for bit the result of testing each one.
TEST(Collision, BlockSkippingMatchesTestingEverySegment) {
    RandomState rng;
    auto uniform = [&](float lo, float hi) {
        return lo + (hi - lo) * float(random_next(rng)) / 32767.0f;
    };
    std::vector<GroundPoint> ground;
    for (float x = -200; ground.size() < 300; x += uniform(-3, 6))
        ground.push_back(gp(x, uniform(-20, 20)));
    SegmentBlocks blocks;
    build_segment_blocks(ground, blocks);
    ASSERT_EQ(blocks.boxes.size(), 19u);
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

// Rope nodes fall freely between the link solves: velocity from the last two positions.
TEST(BallCore, RopeNodesFallAndTheAimLiesThirtyOut) {
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

    const AimOffset d = aim_offset(10, 18, 4, 10); // (6, 8) from the ball: 30 out
    EXPECT_NEAR(d.dx, 18, 1e-4);
    EXPECT_NEAR(d.dy, 24, 1e-4);
    EXPECT_EQ(aim_offset(4, 10, 4, 10).dx, 0); // on the ball: no direction
}

} // namespace
