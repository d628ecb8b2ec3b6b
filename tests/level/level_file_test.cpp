#include "level/level_file.h"
#include "test_bytes.h"

#include <gtest/gtest.h>


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

// Two levels hold the same points and blobs when they encode to the same bytes (the encoder
// itself is pinned byte for byte below).
void expect_same_level(const LevelData& a, const LevelData& b) {
    EXPECT_EQ(hex(encode_level(a, {.write_trailing = false})),
              hex(encode_level(b, {.write_trailing = false})));
}

} // namespace

// The editor's start level, byte for byte: "LSD\0", 2 ground points, 1 blob; ground points
// (x, y, flag and three spare bytes, type), base points (x, y, 8 spare bytes), the blob (x, y,
// present and three spare bytes, kind), then the ball-mark and sheep-mark sections.
TEST(LevelFile, UntouchedEditorFileByteForByte) {
    EXPECT_EQ(hex(encode_level(editor_start_level())),
              "4c5344000200000001000000000020c1000040c0010000000100000000002041000040c001000000"
              "01000000000020c1000020c1000000000000000000002041000020c1000000000000000000004040"
              "0000803f0100000001000000010000000000803f000040400000803f010000000100000000000040"
              "0000004000000040000000400000803f000000400000004001000000");
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
