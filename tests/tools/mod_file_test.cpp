#include <gtest/gtest.h>

#include "tools/content/mod_file.h"
#include "tools/content/music.h"

namespace {

ModSong tiny_song(int patterns, std::vector<int> orders) {
    ModSong s;
    s.title = "t";
    ModSample smp;
    smp.data.assign(100, 0);
    s.samples.push_back(smp);
    s.patterns.resize(patterns);
    s.orders = std::move(orders);
    s.patterns[0][0][0] = {mod_period("C-2"), 1, 0, 0};
    return s;
}

} // namespace

TEST(ModFile, PeriodsOfNoteNames) {
    EXPECT_EQ(mod_period("C-1"), 856);
    EXPECT_EQ(mod_period("C-2"), 428);
    EXPECT_EQ(mod_period("A-2"), 254);
    EXPECT_EQ(mod_period("B-3"), 113);
    EXPECT_EQ(mod_period("F#1"), 604);
    EXPECT_EQ(mod_period("C-4"), 0);
    EXPECT_EQ(mod_period("H-2"), 0);
}

TEST(ModFile, EncodedLayoutAndDefaultTiming) {
    ModSong s = tiny_song(2, {0, 1, 0});
    std::vector<uint8_t> b = encode_mod(s);
    ASSERT_EQ(b.size(), 1084u + 2 * 1024 + 100);
    EXPECT_EQ(b[20 + 22], 0); // length 50 words, big-endian
    EXPECT_EQ(b[20 + 23], 50);
    EXPECT_EQ(b[950], 3);
    // C-2 with sample 1: period 428 = 0x1AC.
    EXPECT_EQ(b[1084], 0x01);
    EXPECT_EQ(b[1085], 0xAC);
    EXPECT_EQ(b[1086], 0x10);
    ModCheck c = check_mod(b);
    ASSERT_TRUE(c.ok) << c.error;
    EXPECT_EQ(c.pattern_count, 2);
    // Three orders of 64 rows at speed 6, tempo 125: 0.12 s a row.
    EXPECT_NEAR(c.seconds_before_loop, 3 * 64 * 0.12, 1e-9);
}

TEST(ModFile, SpeedTempoBreakAndJumpChangeTheLength) {
    ModSong s = tiny_song(2, {0, 1});
    s.patterns[0][0][1] = {0, 0, 0xF, 3};     // speed 3
    s.patterns[0][0][2] = {0, 0, 0xF, 250};   // tempo 250: a row lasts 3 * 0.01 s
    s.patterns[0][15][3] = {0, 0, 0xD, 0x32}; // break after row 15 to row 32 of order 1
    s.patterns[1][40][0] = {0, 0, 0xB, 0};    // jump back to order 0 after row 40
    ModCheck c = check_mod(encode_mod(s));
    ASSERT_TRUE(c.ok) << c.error;
    // Rows 0..15 of pattern 0, rows 32..40 of pattern 1, then back to a played row.
    EXPECT_NEAR(c.seconds_before_loop, (16 + 9) * 0.03, 1e-9);
}

TEST(ModFile, RefusesDamagedModules) {
    std::vector<uint8_t> good = encode_mod(tiny_song(1, {0}));
    EXPECT_TRUE(check_mod(good).ok);
    struct Damage {
        size_t at;
        int value; // -1: drop the last byte, cutting the sample data short
    };
    // Signature, short sample, no orders, an order naming a missing pattern, volume above 64.
    for (Damage d : {Damage{1081, 'X'}, {0, -1}, {950, 0}, {952, 5}, {20 + 25, 65}}) {
        auto bad = good;
        d.value < 0 ? bad.pop_back() : void(bad[d.at] = uint8_t(d.value));
        EXPECT_FALSE(check_mod(bad).ok) << d.at;
    }
    EXPECT_FALSE(check_mod(std::vector<uint8_t>(100, 0)).ok);
}

TEST(Music, ComposedSongPlaysAboutAMinute) {
    ModCheck c = check_mod(encode_mod(compose_music()));
    ASSERT_TRUE(c.ok) << c.error;
    EXPECT_NEAR(c.seconds_before_loop, 10 * 7.68, 0.01);
}
