#include "level/level_file.h"
#include "level/mygame_file.h"
#include "test_bytes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

namespace {

void put_f32_at(std::vector<uint8_t>& v, size_t at, float x) {
    std::vector<uint8_t> b;
    put_f32(b, x);
    std::memcpy(v.data() + at, b.data(), 4);
}

const float NON_FINITE[] = {NAN, -NAN, INFINITY, -INFINITY};

// Each real of each record kind of the editor's start level (2 points, 1 blob), by offset:
// not finite, the file is damaged, names the record and leaves the level as it was; 1e30 and
// -3e38 are a large level, read as stored.
TEST(FiniteCoordinates, LevelFileRefusesNonFiniteKeepsLarge) {
    const LevelData held = editor_start_level();
    const std::vector<uint8_t> good = encode_level(held, {.write_trailing = false});
    const struct {
        size_t at;
        const char* record;
    } reals[] = {{12, "ground point 0"}, {12 + 16 + 4, "ground point 1"},
                 {44, "base point 0"},   {44 + 16 + 4, "base point 1"},
                 {76, "blob 0"},         {80, "blob 0"}};
    for (const auto& r : reals) {
        for (float v : NON_FINITE) {
            std::vector<uint8_t> bytes = good;
            put_f32_at(bytes, r.at, v);
            LevelData level = held;
            const LevelReadResult res =
                parse_level(bytes, level, {.copy_first_type_to_last = true});
            EXPECT_EQ(res.status, LevelReadStatus::damaged) << r.record << " " << v;
            EXPECT_EQ(res.error,
                      std::string(r.record) + " has a coordinate that is not a finite number");
            EXPECT_EQ(encode_level(level), encode_level(held)) << r.record;
        }
        for (float v : {1e30f, -3e38f}) {
            std::vector<uint8_t> bytes = good;
            put_f32_at(bytes, r.at, v);
            LevelData level;
            ASSERT_EQ(parse_level(bytes, level).status, LevelReadStatus::ok) << r.record;
            EXPECT_EQ(get_f32(encode_level(level), r.at), v) << r.record;
        }
    }
}

// The same for the prototypes' ground: 2 top points, then 2 bottom points.
TEST(FiniteCoordinates, GroundFileRefusesNonFiniteKeepsLarge) {
    const MyGameData held = mygame_start_ground();
    const std::vector<uint8_t> good = encode_mygame(held);
    const struct {
        size_t at;
        const char* point;
    } reals[] = {{8, "top point 0"},
                 {8 + 12 + 4, "top point 1"},
                 {32, "bottom point 0"},
                 {32 + 12 + 4, "bottom point 1"}};
    for (const auto& r : reals) {
        for (float v : NON_FINITE) {
            std::vector<uint8_t> bytes = good;
            put_f32_at(bytes, r.at, v);
            MyGameData ground = held;
            const MyGameReadResult res = parse_mygame(bytes, ground);
            EXPECT_EQ(res.status, MyGameReadStatus::damaged) << r.point << " " << v;
            EXPECT_EQ(res.error,
                      std::string(r.point) + " has a coordinate that is not a finite number");
            EXPECT_EQ(encode_mygame(ground), good) << r.point;
        }
        std::vector<uint8_t> bytes = good;
        put_f32_at(bytes, r.at, 1e30f);
        MyGameData ground;
        ASSERT_EQ(parse_mygame(bytes, ground).status, MyGameReadStatus::ok) << r.point;
        EXPECT_EQ(encode_mygame(ground), bytes);
    }
}

} // namespace
