#include "level/level_file.h"
#include "level/mygame_file.h"
#include "test_bytes.h"

#include <gtest/gtest.h>

// The editor's start ground, byte for byte: "LSD\0", 2 points a line, then the top line's
// and the bottom line's points (x, y, a spare word).
TEST(MyGameFile, UntouchedEditorFileByteForByte) {
    EXPECT_EQ(hex(encode_mygame(mygame_start_ground())),
              "4c53440002000000000020c10000204100000000000020410000204100000000000020c1000020c1"
              "0000000000002041000020c100000000");
}

TEST(MyGameFile, RoundTripWithAnyMagicAndSpare) {
    MyGameData src;
    src.top = {{0, 1}, {2, 3}, {4, 5}};
    src.bottom = {{0, -1}, {2, -3}, {4, -5}};
    std::vector<uint8_t> f = encode_mygame(src);
    f[0] = 'X';
    f[16] = 0x99; // spare word of top point 0
    MyGameData got;
    ASSERT_EQ(parse_mygame(f, got).status, MyGameReadStatus::ok);
    ASSERT_EQ(got.top.size(), 3u);
    ASSERT_EQ(got.bottom.size(), 3u);
    EXPECT_EQ(got.top[2].y, 5.f);
    EXPECT_EQ(got.bottom[1].y, -3.f);
}

TEST(MyGameFile, DamagedFilesRefusedDataUnchanged) {
    std::vector<uint8_t> good = encode_mygame(mygame_start_ground());
    std::vector<std::vector<uint8_t>> bad = {
        {}, {1, 2, 3}, std::vector<uint8_t>(good.begin(), good.begin() + 7),
        std::vector<uint8_t>(good.begin(), good.end() - 1)};
    for (int32_t count : {-1, 3, INT32_MAX, INT32_MIN}) {
        std::vector<uint8_t> v = good;
        std::vector<uint8_t> c;
        put_i32(c, count);
        std::copy(c.begin(), c.end(), v.begin() + 4);
        bad.push_back(v);
    }
    for (size_t i = 0; i < bad.size(); ++i) {
        MyGameData data;
        data.top = {{7, 7}};
        data.bottom = {{7, 0}};
        EXPECT_EQ(parse_mygame(bad[i], data).status, MyGameReadStatus::damaged) << i;
        ASSERT_EQ(data.top.size(), 1u);
        EXPECT_EQ(data.top[0].x, 7.f);
    }
}
