#include "level/level_file.h"
#include "level/mygame_file.h"
#include "test_bytes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

namespace {

struct Real {
    size_t at;
    const char* record;
};

// Each real at its offset in `good`: not finite, the file is damaged, names the record and
// leaves what was held as it was; 1e30 and -3e38 are a large level, read as stored.
template <class Data, class Parse, class Encode>
void refuse_non_finite_keep_large(const Data& held, const std::vector<uint8_t>& good,
                                  std::initializer_list<Real> reals, Parse parse, Encode encode) {
    for (const Real& r : reals)
        for (float v : {NAN, -NAN, INFINITY, -INFINITY, 1e30f, -3e38f}) {
            std::vector<uint8_t> bytes = good, b;
            put_f32(b, v);
            std::memcpy(bytes.data() + r.at, b.data(), 4);
            Data data = held;
            const auto res = parse(bytes, data);
            if (std::isfinite(v)) {
                ASSERT_EQ(res.error, "") << r.record;
                EXPECT_EQ(get_f32(encode(data), r.at), v) << r.record;
                continue;
            }
            EXPECT_EQ(res.error,
                      std::string(r.record) + " has a coordinate that is not a finite number");
            EXPECT_EQ(encode(data), encode(held)) << r.record;
        }
}

// The editor's start level (2 points, 1 blob) and the prototypes' ground (2 top points,
// then 2 bottom points).
TEST(FiniteCoordinates, LevelAndGroundFilesRefuseNonFiniteKeepLarge) {
    const auto encode_bare = [](const LevelData& l) {
        return encode_level(l, {.write_trailing = false});
    };
    refuse_non_finite_keep_large(
        editor_start_level(), encode_bare(editor_start_level()),
        {{12, "ground point 0"}, {32, "ground point 1"}, {44, "base point 0"},
         {64, "base point 1"}, {76, "blob 0"}, {80, "blob 0"}},
        [](const auto& bytes, LevelData& l) {
            return parse_level(bytes, l, {.copy_first_type_to_last = true});
        },
        encode_bare);
    refuse_non_finite_keep_large(
        mygame_start_ground(), encode_mygame(mygame_start_ground()),
        {{8, "top point 0"}, {24, "top point 1"}, {32, "bottom point 0"}, {48, "bottom point 1"}},
        [](const auto& bytes, MyGameData& g) { return parse_mygame(bytes, g); }, encode_mygame);
}

} // namespace
