#include "mygame/physics.h"

#include <gtest/gtest.h>

namespace {

struct Probe {
    float x, y;
    bool hit;
};

Probe collide(float x, float y, float r, Vec2 s1, Vec2 s2) {
    bool hit = collide_with_segment(x, y, r, s1, s2);
    return {x, y, hit};
}

} // namespace

TEST(SegmentCollision, RestsTheMassItsRadiusAboveALeftToRightSegment) {
    Probe p = collide(0, 10.2f, 0.5f, {-10, 10}, {10, 10});
    EXPECT_TRUE(p.hit);
    EXPECT_FLOAT_EQ(p.x, 0);
    EXPECT_FLOAT_EQ(p.y, 10.5f);
    // Slightly below the line but within the radius: pushed through to the open side.
    p = collide(3, 9.7f, 0.5f, {-10, 10}, {10, 10});
    EXPECT_TRUE(p.hit);
    EXPECT_FLOAT_EQ(p.y, 10.5f);
}

TEST(SegmentCollision, LeavesMassesOutOfReachUntouched) {
    EXPECT_FALSE(collide(0, 10.6f, 0.5f, {-10, 10}, {10, 10}).hit);      // above, clear
    EXPECT_FALSE(collide(0, 9.4f, 0.5f, {-10, 10}, {10, 10}).hit);       // more than r below
    EXPECT_FALSE(collide(10.01f, 10.2f, 0.5f, {-10, 10}, {10, 10}).hit); // past the end
    EXPECT_FALSE(collide(0, 10, 0.5f, {3, 3}, {3, 3}).hit);              // zero length: no normal
}

TEST(SegmentCollision, RightToLeftSegmentPushesBelow) {
    Probe p = collide(0, 9.8f, 0.5f, {10, 10}, {-10, 10});
    EXPECT_TRUE(p.hit);
    EXPECT_FLOAT_EQ(p.y, 9.5f);
}

TEST(SegmentCollision, ExactEndsAndProbeEndsCountAsTouching) {
    // Centre above the right end, exactly r away: both parameters are exactly 1.
    Probe p = collide(10, 10.5f, 0.5f, {-10, 10}, {10, 10});
    EXPECT_TRUE(p.hit);
    EXPECT_FLOAT_EQ(p.x, 10);
    EXPECT_FLOAT_EQ(p.y, 10.5f);
    // Centre exactly r below the left end: both parameters are exactly 0.
    p = collide(-10, 9.5f, 0.5f, {-10, 10}, {10, 10});
    EXPECT_TRUE(p.hit);
    EXPECT_FLOAT_EQ(p.x, -10);
    EXPECT_FLOAT_EQ(p.y, 10.5f);
}

TEST(SegmentCollision, SlopedSegmentPushesAlongItsNormal) {
    // Segment (0,0)-(4,3): normal (0.6, -0.8); a centre on its middle moves to middle - n.
    Probe p = collide(2, 1.5f, 1, {0, 0}, {4, 3});
    EXPECT_TRUE(p.hit);
    EXPECT_NEAR(p.x, 1.4f, 1e-5);
    EXPECT_NEAR(p.y, 2.3f, 1e-5);
}

TEST(LineIntersection, ParametersAndParallelLines) {
    float s = -1, t = -1;
    ASSERT_TRUE(line_intersection({0, 0}, {10, 0}, {4, -2}, {4, 6}, s, t));
    EXPECT_FLOAT_EQ(s, 0.4f);
    EXPECT_FLOAT_EQ(t, 0.25f);
    EXPECT_FALSE(line_intersection({0, 0}, {10, 0}, {0, 1}, {5, 1}, s, t));
}

TEST(Links, OneRelaxationClosesSixtyPercentOfTheError) {
    Mass a = make_mass(0, 0, 1), b = make_mass(3, 0, 1);
    relax_link(a, b, 2);
    EXPECT_FLOAT_EQ(a.x, 0.3f);
    EXPECT_FLOAT_EQ(b.x, 2.7f);
    EXPECT_EQ(a.px, 0); // previous positions stay
    Mass c = make_mass(1, 1, 1), d = make_mass(1, 1, 1);
    relax_link(c, d, 2); // coincident ends: left alone rather than turned into NaN
    EXPECT_EQ(c.x, 1);
}

TEST(Contacts, PushApartByFortyPercentTowardsTheTarget) {
    float x1 = 0, y1 = 0, x2 = 1, y2 = 0;
    push_apart(x1, y1, x2, y2, 2);
    EXPECT_FLOAT_EQ(x1, -0.4f);
    EXPECT_FLOAT_EQ(x2, 1.4f);
    EXPECT_EQ(y1, 0);
}
