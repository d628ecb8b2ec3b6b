#include "draw/colour_cycle.h"

#include <gtest/gtest.h>

#include <array>
#include <map>

using Rgb = std::array<int, 3>;

// Frames where a channel turns, in steps of 15: the circle repeats after 97 frames.
TEST(ColourCycle, WalksTheHueCircleInStepsOfFifteen) {
    const std::map<int, Rgb> turns = {
        {1, {255, 15, 0}},  {17, {240, 255, 0}}, // yellow reached, red starts to fade
        {33, {0, 255, 15}}, {49, {0, 240, 255}}, // green, then cyan
        {65, {15, 0, 255}}, {81, {255, 0, 240}}, // blue, then magenta
        {97, {255, 0, 0}},  {98, {255, 15, 0}},  // red again, and round once more
    };
    ColourCycle c;
    std::vector<Rgb> seen = {{}};
    for (int frame = 1; frame < 400; ++frame) {
        advance_colour_cycle(c);
        seen.push_back({c.red, c.green, c.blue});
        const Rgb rgb = seen.back();
        EXPECT_EQ(rgb, turns.count(frame) ? turns.at(frame) : rgb) << frame;
        EXPECT_TRUE(frame == 1 || frame >= 97 || rgb != turns.at(1)) << frame;
        EXPECT_EQ(rgb, frame > 97 ? seen[size_t(frame - 97)] : rgb) << frame;
        for (int v : rgb) {
            ASSERT_TRUE(v >= 0 && v <= 255 && v % 15 == 0) << frame;
        }
    }
}
