#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "tools/content/level_source.h"

namespace {

LevelSource parse_ok(const std::string& text) {
    LevelSource s;
    LevelSourceResult r = parse_level_source(text, "t.txt", s);
    EXPECT_TRUE(r.ok) << r.error;
    return s;
}

std::string parse_error(const std::string& text) {
    LevelSource s;
    s.name = "untouched";
    LevelSourceResult r = parse_level_source(text, "bad.txt", s);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(s.name, "untouched") << "a refused source must leave the output alone";
    return r.error;
}

} // namespace

TEST(LevelSource, ReadsStatementsCommentsAndSurfaces) {
    LevelSource s = parse_ok("# a comment line\n"
                             "name  The first one  \n"
                             "thickness 4\n"
                             "\n"
                             "point -10 0 ground   # floor\n"
                             "point 10 0 ice 10 -9\n"
                             "point 20 5 spikes\n"
                             "point 30 5 5\n"
                             "blob 3 1.5\n");
    EXPECT_EQ(s.name, "The first one");
    EXPECT_EQ(s.thickness, 4);
    ASSERT_EQ(s.points.size(), 4u);
    EXPECT_EQ(s.points[0].surface, SURFACE_GROUND);
    EXPECT_EQ(s.points[1].surface, SURFACE_ICE);
    EXPECT_EQ(s.points[2].surface, SURFACE_SPIKES);
    EXPECT_EQ(s.points[3].surface, 5);
    ASSERT_TRUE(s.points[1].base.has_value());
    EXPECT_EQ(s.points[1].base->y, -9);
    EXPECT_FALSE(s.points[0].base.has_value());
    EXPECT_EQ(s.points[2].line, 7);
    ASSERT_EQ(s.blobs.size(), 1u);
    EXPECT_EQ(s.blobs[0].y, 1.5f);
}

TEST(LevelSource, RefusesBadLinesNamingFileAndLine) {
    const std::string two = "point 0 0 ground\npoint 5 0 ground\n";
    EXPECT_EQ(parse_error(two + "wall 1 2\n"), "bad.txt:3: unknown statement 'wall'");
    EXPECT_EQ(parse_error("point 0 zero ground\n" + two), "bad.txt:1: bad coordinate in 'point'");
    const std::pair<std::string, const char*> cases[] = {
        {"point 0 0 lava\n" + two, "bad.txt:1: unknown surface 'lava'"},
        {two + "point 5 0 ground\n", "bad.txt:3: point repeats"},
        {two + "blob 1\n", "bad.txt:3:"},
        {two + "blob 1 2 3\n", "bad.txt:3:"},
        {two + "blob 1e99 2\n", "bad.txt:3:"},
        {two + "blob nan 2\n", "bad.txt:3:"},
        {two + "blob 4x 2\n", "bad.txt:3:"},
        {two + "point 1 1 ground 3\n", "bad.txt:3:"},
        {"thickness 0\n" + two, "bad.txt:1:"},
        {"thickness -2\n" + two, "bad.txt:1:"},
        {"split\n" + two, "bad.txt:1:"},
        {"split 0.001\n" + two, "bad.txt:1:"},
        {"point 0 0 ground\n", "at least two points"},
        {"", "at least two points"},
    };
    for (const auto& [text, message] : cases)
        EXPECT_NE(parse_error(text).find(message), std::string::npos) << text;
}

TEST(LevelSource, MissingFileIsReportedWithItsPath) {
    LevelSource s;
    LevelSourceResult r = read_level_source("/nonexistent/level9.txt", s);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error.find("/nonexistent/level9.txt"), std::string::npos);
}

TEST(LevelCompile, BasePointsLieOnTheSolidSideAtTheThickness) {
    // Floor left to right (solid below), then a wall up (solid to the right).
    LevelSource s = parse_ok("thickness 5\n"
                             "point 0 0 ground\n"
                             "point 10 0 ice\n"
                             "point 10 10 spikes\n"
                             "blob 5 2\n");
    LevelData L = compile_level(s);
    ASSERT_EQ(L.ground.size(), 3u);
    ASSERT_EQ(L.base.size(), 3u);
    EXPECT_FLOAT_EQ(L.base[0].x, 0);
    EXPECT_FLOAT_EQ(L.base[0].y, -5);
    // The corner's mitre goes out diagonally, 5 / cos(45 degrees) deep.
    EXPECT_NEAR(L.base[1].x, 15, 1e-4);
    EXPECT_NEAR(L.base[1].y, -5, 1e-4);
    EXPECT_NEAR(L.base[2].x, 15, 1e-4);
    EXPECT_NEAR(L.base[2].y, 10, 1e-4);
    EXPECT_EQ(L.ground[1].type, SURFACE_ICE);
    EXPECT_EQ(L.ground[0].flag, 1);
    ASSERT_EQ(L.blobs.size(), 1u);
    EXPECT_EQ(L.blobs[0].present, 1);
}

TEST(LevelCompile, CeilingRunningLeftPutsItsBandAbove) {
    LevelSource s = parse_ok("thickness 3\npoint 10 20 ground\npoint 0 20 ground\n");
    LevelData L = compile_level(s);
    EXPECT_FLOAT_EQ(L.base[0].y, 23);
    EXPECT_FLOAT_EQ(L.base[1].y, 23);
}

TEST(LevelCompile, SplitCutsLongSegmentsEvenlyAndKeepsSurfaces) {
    LevelSource s = parse_ok("split 10\n"
                             "point 0 0 spikes 0 -4\n"
                             "point 25 0 ground 25 -9\n"
                             "point 30 0 ground\n");
    LevelData L = compile_level(s);
    // 25 units become three pieces of 25/3; the 5-unit segment stays whole.
    ASSERT_EQ(L.ground.size(), 5u);
    EXPECT_NEAR(L.ground[1].x, 25.0 / 3, 1e-4);
    EXPECT_NEAR(L.ground[2].x, 50.0 / 3, 1e-4);
    EXPECT_EQ(L.ground[1].type, SURFACE_SPIKES);
    EXPECT_EQ(L.ground[2].type, SURFACE_SPIKES);
    EXPECT_EQ(L.ground[3].type, SURFACE_GROUND);
    // Given bases are interpolated along the cut.
    EXPECT_NEAR(L.base[1].y, -4 - 5.0 / 3, 1e-4);
}

TEST(LevelCompile, ProjectLevelSourcesAllCompile) {
    int n = 1;
    for (;; ++n) {
        std::string path = std::string(LEVEL_SOURCE_DIR) + "/level" + std::to_string(n) + ".txt";
        if (!std::filesystem::exists(path))
            break;
        LevelSource s;
        LevelSourceResult r = read_level_source(path, s);
        ASSERT_TRUE(r.ok) << r.error;
        EXPECT_FALSE(s.name.empty()) << path;
        LevelData level = compile_level(s);
        EXPECT_EQ(level.ground.size(), level.base.size());
    }
    EXPECT_GE(n - 1, 6);
}
