#include "draw/colour_cycle.h"

#include <gtest/gtest.h>

#include <array>

using Rgb = std::array<int, 3>;

TEST(ColourCycle, WalksTheHueCircleInStepsOfFifteen) {
    ColourCycle c;
    int done = 0;
    // Steps the cycle up to `frame`, checking that no earlier frame came back to the start.
    auto step_to = [&](int frame) {
        for (; done < frame; ++done) {
            advance_colour_cycle(c);
            const Rgb rgb{c.red, c.green, c.blue};
            if (done > 0 && done < 97) {
                EXPECT_NE(rgb, (Rgb{255, 15, 0})) << "frame " << done + 1;
            }
        }
        return Rgb{c.red, c.green, c.blue};
    };
    EXPECT_EQ(step_to(1), (Rgb{255, 15, 0}));
    EXPECT_EQ(step_to(17), (Rgb{240, 255, 0})); // yellow reached, red starts to fade
    EXPECT_EQ(step_to(33), (Rgb{0, 255, 15}));  // green, blue starts to rise
    EXPECT_EQ(step_to(49), (Rgb{0, 240, 255})); // cyan
    EXPECT_EQ(step_to(65), (Rgb{15, 0, 255}));  // blue, red starts to rise
    EXPECT_EQ(step_to(81), (Rgb{255, 0, 240})); // magenta
    EXPECT_EQ(step_to(97), (Rgb{255, 0, 0}));   // red again
    EXPECT_EQ(step_to(98), (Rgb{255, 15, 0}));  // and round once more
    for (int f = 99; f < 400; ++f) {
        Rgb rgb = step_to(f);
        for (int v : rgb) {
            ASSERT_GE(v, 0);
            ASSERT_LE(v, 255);
            ASSERT_EQ(v % 15, 0);
        }
    }
}
