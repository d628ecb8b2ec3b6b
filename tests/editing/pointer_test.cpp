#include "editing/pointer.h"

#include <gtest/gtest.h>

TEST(PointerOffset, ClampsToTheVisibleArea) {
    PointerOffset o{165, -120};
    move_pointer_offset(o, 10, -25);
    EXPECT_EQ(o.x, 170);
    EXPECT_EQ(o.y, -130);
    move_pointer_offset(o, -400, 300);
    EXPECT_EQ(o.x, -170);
    EXPECT_EQ(o.y, 130);
}
