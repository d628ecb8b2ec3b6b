#include "level/level_file.h"
#include "test_bytes.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// A hand-built file: magic, counts, records, optionally the trailing sections.
std::vector<uint8_t> level_bytes(uint32_t magic, const std::vector<GroundPoint>& ground,
                                 const std::vector<BasePoint>& base,
                                 const std::vector<Blob>& blobs) {
    std::vector<uint8_t> v;
    put_u32(v, magic);
    put_i32(v, int32_t(ground.size()));
    put_i32(v, int32_t(blobs.size()));
    for (auto& p : ground) {
        put_f32(v, p.x);
        put_f32(v, p.y);
        put_u32(v, 0xEEEEEE00u | p.flag); // padding with junk: must be ignored
        put_i32(v, p.type);
    }
    for (auto& p : base) {
        put_f32(v, p.x);
        put_f32(v, p.y);
        put_u32(v, 0xDEADBEEF);
        put_u32(v, 0xDEADBEEF);
    }
    for (auto& b : blobs) {
        put_f32(v, b.x);
        put_f32(v, b.y);
        put_u32(v, 0x77777700u | b.present);
        put_i32(v, b.kind);
    }
    return v;
}

LevelData sample_level() {
    LevelData l;
    l.ground = {{-5, 0, 1, SURFACE_GROUND}, {0, 1, 1, SURFACE_ICE}, {5, 0, 1, SURFACE_SPIKES}};
    l.base = {{-5, -3}, {0, -2}, {5, -3}};
    l.blobs = {{1, 2, 1, 1}, {3, 4, 0, 1}};
    return l;
}

void expect_same_level(const LevelData& a, const LevelData& b) {
    ASSERT_EQ(a.ground.size(), b.ground.size());
    ASSERT_EQ(a.base.size(), b.base.size());
    ASSERT_EQ(a.blobs.size(), b.blobs.size());
    for (size_t i = 0; i < a.ground.size(); ++i) {
        EXPECT_EQ(a.ground[i].x, b.ground[i].x);
        EXPECT_EQ(a.ground[i].y, b.ground[i].y);
        EXPECT_EQ(a.ground[i].type, b.ground[i].type);
        EXPECT_EQ(a.base[i].x, b.base[i].x);
        EXPECT_EQ(a.base[i].y, b.base[i].y);
    }
    for (size_t i = 0; i < a.blobs.size(); ++i) {
        EXPECT_EQ(a.blobs[i].x, b.blobs[i].x);
        EXPECT_EQ(a.blobs[i].y, b.blobs[i].y);
        EXPECT_EQ(a.blobs[i].present, b.blobs[i].present);
    }
}

} // namespace

TEST(LevelFile, UntouchedEditorFileFieldByField) {
    std::vector<uint8_t> f = encode_level(editor_start_level());
    ASSERT_EQ(f.size(), 148u);
    EXPECT_EQ(get_u32(f, 0), 0x0044534Cu); // "LSD\0"
    EXPECT_EQ(get_i32(f, 4), 2);
    EXPECT_EQ(get_i32(f, 8), 1);
    // ground points at 12 and 28
    EXPECT_EQ(get_f32(f, 12), -10.f);
    EXPECT_EQ(get_f32(f, 16), -3.f);
    EXPECT_EQ(f[20], 1);
    EXPECT_EQ(f[21] | f[22] | f[23], 0);
    EXPECT_EQ(get_i32(f, 24), 1);
    EXPECT_EQ(get_f32(f, 28), 10.f);
    EXPECT_EQ(get_i32(f, 40), 1);
    // base points at 44 and 60, spare bytes zero
    EXPECT_EQ(get_f32(f, 44), -10.f);
    EXPECT_EQ(get_f32(f, 48), -10.f);
    EXPECT_EQ(get_u32(f, 52) | get_u32(f, 56), 0u);
    EXPECT_EQ(get_f32(f, 60), 10.f);
    // blob at 76
    EXPECT_EQ(get_f32(f, 76), 3.f);
    EXPECT_EQ(get_f32(f, 80), 1.f);
    EXPECT_EQ(f[84], 1);
    EXPECT_EQ(get_i32(f, 88), 1);
    // ball mark section at 92
    EXPECT_EQ(get_i32(f, 92), 1);
    EXPECT_EQ(get_f32(f, 96), 1.f);
    EXPECT_EQ(get_f32(f, 100), 3.f);
    EXPECT_EQ(get_f32(f, 104), 1.f);
    EXPECT_EQ(f[108], 1);
    // sheep mark section at 112
    EXPECT_EQ(get_i32(f, 112), 1);
    const float sheep[7] = {2, 2, 2, 2, 1, 2, 2};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(get_f32(f, 116 + 4 * i), sheep[i]) << i;
    EXPECT_EQ(f[144], 1);
    EXPECT_EQ(f[145] | f[146] | f[147], 0);
}

TEST(LevelFile, RoundTripAnyMagicAndOptionalTrailer) {
    LevelData src = sample_level();
    std::vector<uint8_t> full = encode_level(src);
    std::vector<uint8_t> bare = encode_level(src, {.write_trailing = false});
    EXPECT_EQ(bare.size(), 12u + 32 * 3 + 16 * 2);
    EXPECT_EQ(full.size(), bare.size() + 8);

    for (uint32_t magic : {0x0044534Cu, 0u, 0xFFFFFFFFu}) {
        std::vector<uint8_t> f = full;
        f[0] = uint8_t(magic), f[1] = uint8_t(magic >> 8), f[2] = uint8_t(magic >> 16),
        f[3] = uint8_t(magic >> 24);
        LevelData got;
        ASSERT_EQ(parse_level(f, got).status, LevelReadStatus::ok);
        expect_same_level(src, got);
    }
    LevelData got;
    ASSERT_EQ(parse_level(bare, got).status, LevelReadStatus::ok);
    expect_same_level(src, got);
}

TEST(LevelFile, ReaderIgnoresPaddingAndKeepsEditorMarks) {
    LevelData src = sample_level();
    std::vector<uint8_t> f = level_bytes(0x12345678, src.ground, src.base, src.blobs);
    LevelData got;
    got.balls = {{9, 9, 2, 1}};
    got.sheep = {SheepMark{}};
    ASSERT_EQ(parse_level(f, got).status, LevelReadStatus::ok);
    expect_same_level(src, got);
    EXPECT_EQ(got.balls.size(), 1u); // trailing sections are never read
    EXPECT_EQ(got.balls[0].x, 9.f);
    EXPECT_EQ(got.sheep.size(), 1u);
}

TEST(LevelFile, SmallCounts) {
    LevelData got = sample_level();
    ASSERT_EQ(parse_level(level_bytes(0, {}, {}, {}), got, {.copy_first_type_to_last = true})
                  .status,
              LevelReadStatus::ok);
    EXPECT_TRUE(got.ground.empty());
    EXPECT_TRUE(got.blobs.empty());

    ASSERT_EQ(parse_level(level_bytes(0, {{1, 2, 1, SURFACE_ICE}}, {{1, 0}}, {}), got,
                          {.copy_first_type_to_last = true})
                  .status,
              LevelReadStatus::ok);
    ASSERT_EQ(got.ground.size(), 1u);
    EXPECT_EQ(got.ground[0].type, SURFACE_ICE);
}

TEST(LevelFile, GameCopiesFirstTypeIntoLastPoint) {
    LevelData src = sample_level(); // types 1, 2, 3
    std::vector<uint8_t> f = encode_level(src);
    LevelData game, other;
    parse_level(f, game, {.copy_first_type_to_last = true});
    parse_level(f, other);
    EXPECT_EQ(game.ground[2].type, SURFACE_GROUND);
    EXPECT_EQ(game.ground[1].type, SURFACE_ICE);
    EXPECT_EQ(other.ground[2].type, SURFACE_SPIKES);
}

TEST(LevelFile, DamagedFilesAreRefusedAndLevelUnchanged) {
    LevelData src = sample_level();
    std::vector<uint8_t> good = encode_level(src, {.write_trailing = false});
    std::vector<std::vector<uint8_t>> bad;
    for (size_t cut : {0ul, 3ul, 11ul, 12ul, good.size() - 1})
        bad.emplace_back(good.begin(), good.begin() + long(cut));
    auto with_counts = [&](int32_t g, int32_t b) {
        std::vector<uint8_t> v = good;
        std::vector<uint8_t> c;
        put_i32(c, g);
        put_i32(c, b);
        std::copy(c.begin(), c.end(), v.begin() + 4);
        return v;
    };
    bad.push_back(with_counts(-1, 0));
    bad.push_back(with_counts(3, -2));
    bad.push_back(with_counts(INT32_MAX, 2));
    bad.push_back(with_counts(3, INT32_MAX));
    bad.push_back(with_counts(INT32_MIN, INT32_MIN));
    bad.push_back(with_counts(4, 2)); // one ground point more than the bytes hold

    for (size_t i = 0; i < bad.size(); ++i) {
        LevelData level = editor_start_level();
        LevelReadResult r = parse_level(bad[i], level, {.copy_first_type_to_last = true});
        EXPECT_EQ(r.status, LevelReadStatus::damaged) << i;
        EXPECT_FALSE(r.error.empty()) << i;
        expect_same_level(editor_start_level(), level);
    }
}

TEST(LevelFile, RandomBytesNeverCrash) {
    std::mt19937 gen(7);
    for (int round = 0; round < 2000; ++round) {
        std::vector<uint8_t> v(gen() % 200);
        for (auto& b : v)
            b = uint8_t(gen());
        if (v.size() >= 12 && round % 2) { // small plausible counts, so some files parse
            v[4] = uint8_t(gen() % 6), v[5] = v[6] = v[7] = 0;
            v[8] = uint8_t(gen() % 4), v[9] = v[10] = v[11] = 0;
        }
        LevelData level = sample_level();
        LevelReadResult r = parse_level(v, level);
        if (r.status != LevelReadStatus::ok)
            expect_same_level(sample_level(), level);
        else
            EXPECT_EQ(level.ground.size(), level.base.size());
    }
}
