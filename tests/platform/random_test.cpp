#include "platform/random.h"

#include <gtest/gtest.h>

TEST(Random, ClassicSequenceFromStateOne) {
    random_reset();
    EXPECT_EQ(random_next(), 41);
    EXPECT_EQ(random_next(), 18467);
    EXPECT_EQ(random_next(), 6334);
    EXPECT_EQ(random_next(), 26500);
    EXPECT_EQ(random_next(), 19169);
    random_reset();
    EXPECT_EQ(random_next(), 41);
}

TEST(Random, IndependentStatesAndRange) {
    RandomState a, b;
    for (int i = 0; i < 100000; ++i) {
        int x = random_next(a);
        ASSERT_EQ(x, random_next(b));
        ASSERT_GE(x, 0);
        ASSERT_LE(x, RANDOM_MAX);
    }
}
