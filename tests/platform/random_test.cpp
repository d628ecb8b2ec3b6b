#include "platform/random.h"

#include <gtest/gtest.h>

// The classic sequence from state 1, drawn alike from the process-wide generator and from a
// state of one's own; a state read and put back draws on from where it was.
TEST(Random, ClassicSequenceFromStateOne) {
    random_reset();
    RandomState own;
    for (int expected : {41, 18467, 6334}) {
        EXPECT_EQ(random_next(), expected);
        EXPECT_EQ(random_next(own), expected);
    }
    const RandomState saved = random_state();
    EXPECT_EQ(random_next(), 26500);
    random_set_state(saved);
    EXPECT_EQ(random_next(), 26500);
    EXPECT_EQ(random_next(), 19169);
    random_reset();
    EXPECT_EQ(random_next(), 41);
}
