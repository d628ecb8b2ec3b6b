#include "game/collision.h"

#include <gtest/gtest.h>

#include "platform/random.h"

#include <cmath>

namespace {

struct Result {
    float x, y;
    bool contact, death;
};

Result collide(GroundPoint a, GroundPoint b, float x, float y, CollisionSettings s = {},
               int surface = 1, bool contact = false) {
    bool death = false;
    collide_with_segment(a, b, x, y, 1, contact, surface, true, death, s);
    return {x, y, contact, death};
}

GroundPoint pt(float x, float y, int32_t type = SURFACE_GROUND) {
    GroundPoint p;
    p.x = x;
    p.y = y;
    p.type = type;
    return p;
}

TEST(SegmentCrossing, ParametersAndRange) {
    SegmentParams p = segment_intersection(0, 0, 10, 0, 2, 5, 2, -15);
    EXPECT_FLOAT_EQ(p.t, 0.2f);
    EXPECT_FLOAT_EQ(p.w, 0.75f); // P4 + w (P3 - P4) = (2, -15) + 0.75 (0, 20)
    EXPECT_TRUE(params_in_unit_range({0, 1}));
    EXPECT_TRUE(params_in_unit_range({1, 0}));
    EXPECT_FALSE(params_in_unit_range({1.0001f, 0.5f}));
    EXPECT_FALSE(params_in_unit_range({0.5f, -0.0001f}));
    // Parallel and collinear segments never cross.
    EXPECT_FALSE(params_in_unit_range(segment_intersection(0, 0, 10, 0, 0, 1, 10, 1)));
    EXPECT_FALSE(params_in_unit_range(segment_intersection(0, 0, 10, 0, 2, 0, 8, 0)));
}

TEST(Collision, OpenSideAboveAndBelow) {
    const GroundPoint a = pt(0, 0), b = pt(10, 0);
    Result r = collide(a, b, 5, 0.9f);
    EXPECT_FLOAT_EQ(r.y, 1);
    EXPECT_TRUE(r.contact);
    EXPECT_FLOAT_EQ(collide(a, b, 5, -1.5f).y, 1);   // inside the ground, within 2r
    EXPECT_FLOAT_EQ(collide(a, b, 5, 1.2f).y, 1.2f); // clear of the line
    r = collide(a, b, 5, -2.5f);                     // deeper than 2r: untouched
    EXPECT_FLOAT_EQ(r.y, -2.5f);
    EXPECT_FALSE(r.contact);
    // Stored the other way round the open side is below.
    EXPECT_FLOAT_EQ(collide(b, a, 5, 0.9f).y, -1);
    // Ctrl lets a player cling from 0.8 beyond its surface.
    EXPECT_FLOAT_EQ(collide(a, b, 5, 1.7f, {false, true}).y, 1);
    EXPECT_FLOAT_EQ(collide(a, b, 5, 1.9f, {false, true}).y, 1.9f);
}

TEST(Collision, QuickRejectionAndEnds) {
    const GroundPoint a = pt(0, 0), b = pt(10, 0);
    // Passes the rejection, but t = 1.05 lies beyond the end.
    Result r = collide(a, b, 10.5f, 0.5f);
    EXPECT_FLOAT_EQ(r.x, 10.5f);
    EXPECT_FLOAT_EQ(r.y, 0.5f);
    EXPECT_FALSE(r.contact);
    r = collide(a, b, 11, 0.5f);
    EXPECT_FLOAT_EQ(r.y, 0.5f);
    // A zero-length segment never touches.
    r = collide(pt(5, 0), pt(5, 0), 5, 0.5f);
    EXPECT_FLOAT_EQ(r.y, 0.5f);
    EXPECT_FALSE(r.contact);
}

TEST(Collision, SurfacesAndSoftMode) {
    // Ice holds the ball out but clears the contact; spikes kill; other types leave flags.
    Result r = collide(pt(0, 0, SURFACE_ICE), pt(10, 0), 5, 0.5f, {}, SURFACE_ICE, true);
    EXPECT_FLOAT_EQ(r.y, 1);
    EXPECT_FALSE(r.contact);
    r = collide(pt(0, 0, SURFACE_SPIKES), pt(10, 0), 5, 0.5f, {}, SURFACE_SPIKES);
    EXPECT_TRUE(r.death);
    EXPECT_FALSE(r.contact);
    r = collide(pt(0, 0, 5), pt(10, 0), 5, 0.5f, {}, 5);
    EXPECT_FLOAT_EQ(r.y, 1);
    EXPECT_FALSE(r.contact);
    EXPECT_FALSE(r.death);

    // Soft mode: a fifth of the way, grip even on ice, reach 5r into the ground.
    r = collide(pt(0, 0, SURFACE_ICE), pt(10, 0), 5, 0.5f, {true, false}, SURFACE_ICE);
    EXPECT_FLOAT_EQ(r.y, 0.6f); // 0.8 * 0.5 + 0.2 * 1
    EXPECT_TRUE(r.contact);
    r = collide(pt(0, 0), pt(10, 0), 5, -4.5f, {true, false});
    EXPECT_FLOAT_EQ(r.y, -3.4f); // 0.8 * -4.5 + 0.2 * 1
    // The soft surface argument alone (the light) also moves a fifth.
    r = collide(pt(0, 0, 7), pt(10, 0), 5, 0.5f, {}, SOFT_SURFACE);
    EXPECT_FLOAT_EQ(r.y, 0.6f);
    EXPECT_TRUE(r.contact);
}

TEST(Collision, SlopedSegmentPushesAlongItsNormal) {
    // Segment (0,0)-(10,10): open side upper left, normal (0.7071, -0.7071) into the ground.
    const float s = std::sqrt(0.5f);
    Result r = collide(pt(0, 0), pt(10, 10), 5 - 0.5f * s, 5 + 0.5f * s);
    EXPECT_NEAR(r.x, 5 - s, 1e-5);
    EXPECT_NEAR(r.y, 5 + s, 1e-5);
}

} // namespace

namespace {

// Skipping whole runs of segments must give bit-for-bit the result of testing each one.
TEST(Collision, BlockSkippingMatchesTestingEverySegment) {
    RandomState rng;
    auto uniform = [&](float lo, float hi) {
        return lo + (hi - lo) * float(random_next(rng)) / 32767.0f;
    };
    std::vector<GroundPoint> ground;
    float x = -200;
    for (int k = 0; k < 300; ++k) {
        ground.push_back(pt(x, uniform(-20, 20)));
        x += uniform(-3, 6); // doubles back now and then
    }
    SegmentBlocks blocks;
    build_segment_blocks(ground, blocks);
    ASSERT_EQ(blocks.boxes.size(), 19u); // 299 segments in runs of 16
    for (int trial = 0; trial < 3000; ++trial) {
        const CollisionSettings settings{trial % 3 == 0, false};
        const float r = uniform(0.3f, 4);
        float ax = uniform(-220, 1000), ay = uniform(-40, 40);
        float bx = ax, by = ay;
        collide_body_with_ground(ground, blocks, ax, ay, r, settings);
        for (size_t k = 0; k + 1 < ground.size(); ++k) {
            bool contact = false, death = false;
            collide_with_segment(ground[k], ground[k + 1], bx, by, r, contact, 1, false, death,
                                 settings);
        }
        ASSERT_EQ(ax, bx) << trial;
        ASSERT_EQ(ay, by) << trial;
    }
}

} // namespace
