#include "editing/physics.h"

#include <gtest/gtest.h>

TEST(SegmentCollision, PushesOutAlongTheNormalOnlyWithinReach) {
    struct Case {
        const char* what;
        float x, y, r;
        Vec2 s1, s2;
        bool hit;
        float rx, ry; // where the centre ends up
    };
    const Vec2 L{-10, 10}, R{10, 10};
    const Case cases[] = {
        {"rests r above a left-to-right segment", 0, 10.2f, 0.5f, L, R, true, 0, 10.5f},
        {"pushed through from just below", 3, 9.7f, 0.5f, L, R, true, 3, 10.5f},
        {"clear above", 0, 10.6f, 0.5f, L, R, false, 0, 10.6f},
        {"more than r on the far side", 0, 9.4f, 0.5f, L, R, false, 0, 9.4f},
        {"past the end", 10.01f, 10.2f, 0.5f, L, R, false, 10.01f, 10.2f},
        {"right-to-left pushes below", 0, 9.8f, 0.5f, R, L, true, 0, 9.5f},
        {"exact right end, parameters 1", 10, 10.5f, 0.5f, L, R, true, 10, 10.5f},
        {"exact left end, parameters 0", -10, 9.5f, 0.5f, L, R, true, -10, 10.5f},
        // (0,0)-(4,3) has normal (0.6, -0.8): the middle moves to middle - n.
        {"sloped", 2, 1.5f, 1, {0, 0}, {4, 3}, true, 1.4f, 2.3f},
        {"zero length has no normal", 3, 3, 0.5f, {3, 3}, {3, 3}, false, 3, 3},
    };
    for (const Case& c : cases) {
        float x = c.x, y = c.y;
        EXPECT_EQ(collide_with_segment(x, y, c.r, c.s1, c.s2), c.hit) << c.what;
        EXPECT_NEAR(x, c.rx, 1e-5) << c.what;
        EXPECT_NEAR(y, c.ry, 1e-5) << c.what;
    }
}

TEST(LinksAndContacts, CloseSixtyAndEightyPercentOfTheError) {
    Mass a = make_mass(0, 0, 1), b = make_mass(3, 0, 1);
    relax_link(a, b, 2); // 0.3 of the error at each end
    EXPECT_FLOAT_EQ(a.x, 0.3f);
    EXPECT_FLOAT_EQ(b.x, 2.7f);
    EXPECT_EQ(a.px, 0); // previous positions stay
    Mass c = make_mass(1, 1, 1), d = make_mass(1, 1, 1);
    relax_link(c, d, 2); // coincident ends: left alone rather than turned into NaN
    EXPECT_EQ(c.x, 1);

    float x1 = 0, y1 = 0, x2 = 1, y2 = 0;
    push_apart(x1, y1, x2, y2, 2); // 0.4 of the error at each end
    EXPECT_FLOAT_EQ(x1, -0.4f);
    EXPECT_FLOAT_EQ(x2, 1.4f);
}
