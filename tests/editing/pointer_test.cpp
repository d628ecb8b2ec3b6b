#include "editing/critters.h"
#include "editing/point_pick.h"
#include "editing/pointer.h"

#include <gtest/gtest.h>

#include <vector>

TEST(PointerOffset, ClampsToTheVisibleArea) {
    PointerOffset o{165, -120};
    move_pointer_offset(o, 10, -25);
    EXPECT_EQ(o.x, 170);
    EXPECT_EQ(o.y, -130);
    move_pointer_offset(o, -400, 300);
    EXPECT_EQ(o.x, -170);
    EXPECT_EQ(o.y, 130);
}

// The nearest point strictly within reach (a squared distance) wins, the first of equals;
// with none within reach the old pick stays.
TEST(PointPick, NearestWithinReachFirstOfEquals) {
    struct Point {
        float x, y;
    };
    const std::vector<Point> points = {{0, 0}, {4, 0}, {2, 0}, {2, 0}};
    int index = 9;
    pick_point(points, 2.5f, 0, 4, index);
    EXPECT_EQ(index, 2);
    pick_point(points, 10, 0, 36, index); // (4, 0) is exactly 6 away: out of reach
    EXPECT_EQ(index, 2);
    pick_point(points, 10, 0, 36.5f, index);
    EXPECT_EQ(index, 1);
}

// The ten clouds wear the eight cloud images from slot 10 on, spread evenly.
TEST(Clouds, TextureSlotsTenToSeventeen) {
    EXPECT_EQ(cloud_texture_slot(0), 10);
    EXPECT_EQ(cloud_texture_slot(5), 14);
    EXPECT_EQ(cloud_texture_slot(CLOUD_COUNT - 1), 17);
}
