#include "editing/critters.h"
#include "editing/physics.h"
#include "editing/point_pick.h"
#include "platform/random.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

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
        {"clear above", 0, 10.6f, 0.5f, L, R, false, 0, 10.6f},
        {"more than r on the far side", 0, 9.4f, 0.5f, L, R, false, 0, 9.4f},
        {"past the end", 10.01f, 10.2f, 0.5f, L, R, false, 10.01f, 10.2f},
        {"right-to-left pushes below", 0, 9.8f, 0.5f, R, L, true, 0, 9.5f},
        {"exact right end, parameters 1", 10, 10.5f, 0.5f, L, R, true, 10, 10.5f},
        {"exact left end, parameters 0", -10, 9.5f, 0.5f, L, R, true, -10, 10.5f},
        // (0,0)-(4,3) has normal (0.6, -0.8): the middle moves to middle - n.
        {"sloped", 2, 1.5f, 1, {0, 0}, {4, 3}, true, 1.4f, 2.3f},
        {"zero length has no normal", 3, 3, 0.5f, {3, 3}, {3, 3}, false, 3, 3},
        {"length one", 0.5f, 0.2f, 0.5f, {0, 0}, {1, 0}, true, 0.5f, 0.5f},
    };
    for (const Case& c : cases) {
        float x = c.x, y = c.y;
        EXPECT_EQ(collide_with_segment(x, y, c.r, c.s1, c.s2), c.hit) << c.what;
        EXPECT_NEAR(x, c.rx, 1e-5) << c.what;
        EXPECT_NEAR(y, c.ry, 1e-5) << c.what;
    }
}

// A ball by the last of two segments of the ground: (0,0)-(10,10) pushes (5, 4.8) out along
// (-1, 1) / sqrt 2 to r from its foot (4.9, 4.9); the first segment is out of reach.
TEST(SegmentCollision, GroundTestsEverySegmentInTurn) {
    MyGameData ground;
    ground.top = {{-10, 0}, {0, 0}, {10, 10}};
    float x = 5, y = 4.8f;
    EXPECT_TRUE(collide_with_ground(x, y, 0.5f, ground));
    EXPECT_NEAR(x, 4.9 - 0.5 / std::sqrt(2.0), 1e-5);
    EXPECT_NEAR(y, 4.9 + 0.5 / std::sqrt(2.0), 1e-5);
}

// The links' and contacts' shares of the error are pinned by the prototypes' step tests.
TEST(LinksAndPick, CoincidentEndsStayPutAndNearestPointWins) {
    Mass b = make_mass(0, 3, 1);
    relax_link(b, b, 2); // no direction: no NaN
    EXPECT_FLOAT_EQ(b.y, 3);

    // The nearest point strictly within reach (a squared distance), the first of equals.
    const std::vector<Vec2> points = {{0, 0}, {4, 0}, {2, 0}, {2, 0}};
    int index = 9;
    pick_point(points, 2.5f, 0, 4, index);
    EXPECT_EQ(index, 2);
    pick_point(points, 10, 0, 36, index); // (4, 0) is exactly 6 away: out of reach
    EXPECT_EQ(index, 2);
}

// From its start the generator draws 41, 18467, 6334; from state 2023555501 it draws
// 20424, 32678, 1752. Each is scaled by range / 32767. (The sheep's drift is pinned in the
// prototypes' tests.)
TEST(Critters, SheepAndCloudsFromTheGenerator) {
    random_reset();
    const Sheep s = spawn_sheep();
    EXPECT_NEAR(s.body.x, 41 * 10 / 32767.0, 1e-6);
    EXPECT_NEAR(s.body.py, 18467 * 10 / 32767.0, 1e-5);
    EXPECT_FLOAT_EQ(s.body.radius, 1);
    random_reset();
    const Cloud cloud = make_clouds(1).at(0);
    EXPECT_NEAR(cloud.x, 41 * 300 / 32767.0, 1e-5);
    EXPECT_NEAR(cloud.y, 18467 * 15 / 32767.0, 1e-5);
    EXPECT_NEAR(cloud.depth, -30 - 6334 * 60 / 32767.0, 1e-4);
    EXPECT_EQ(cloud_texture_slot(5), 14); // the ten clouds wear images 10..17
    EXPECT_EQ(cloud_texture_slot(CLOUD_COUNT - 1), 17);

    Mass m = make_mass(0, 0, 1);
    random_set_state({2023555501});
    integrate_sheep(m, 0); // 1752 * 100 / 32767 = 5: the hop
    EXPECT_NEAR(m.y, 0.95 * (32678 * 0.2 / 32767 - 0.1) + 0.3, 1e-6);
    EXPECT_NEAR(m.px, 20424 * 0.2 / 32767 - 0.1, 1e-6); // the last position moves by the
    EXPECT_NEAR(m.py, 32678 * 0.2 / 32767 - 0.1, 1e-6); // drift, without damping or hop

    // Below the floor (-9.8 for radius 1) the fall is turned round, or the sheep put on it.
    for (auto [py, after] : {std::pair{-9.5f, -9.0f}, {-9.95f, -9.8f}}) {
        m = make_mass(0, -10, 1);
        m.py = py;
        bounce_sheep_on_floor(m);
        EXPECT_FLOAT_EQ(m.y, after) << py;
    }
}
