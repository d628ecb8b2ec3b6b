// The replay file: damaged files are refused with a message naming what and where, and
// random damage never crashes the reader.
#include "level/safe_file.h"
#include "replay/replay_reader.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

namespace {

// Two steps of two mice; the byte offsets in the table below follow from this layout.
Replay tiny_replay() {
    Replay r;
    r.header.mouse_count = 2;
    const ReplayInput key{.kind = InputKind::key, .code = 'W', .down = true};
    const ReplayInput mouse{.kind = InputKind::mouse, .mouse = 1, .dx = 3, .dy = -2, .wheel = 1,
                            .buttons = BUTTON_LEFT | BUTTON_MIDDLE};
    r.steps = {{17, {key}, {{"levels/level1.svg", RecordedRead::read, {1, 2, 3}}}, false, 0},
               {16, {mouse}, {}, true, 0x1122334455667788}};
    r.finished = true;
    r.end_digest = 42;
    return r;
}

void put_u32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + size_t(i)] = uint8_t(v >> (8 * i));
}

TEST(ReplayFile, DamageIsRefusedNamingWhatAndWhere) {
    const std::vector<uint8_t> good = encode_replay(tiny_replay());
    ASSERT_EQ(good.size(), 121u);
    Replay r;
    ASSERT_EQ(parse_replay(good, ReplayProgram::glimbo, r).status, ReplayReadStatus::ok);

    using Bytes = std::vector<uint8_t>;
    struct Case {
        std::function<void(Bytes&)> damage;
        std::string message;
    };
    const Case cases[] = {
        {[](Bytes& b) { b[0] = 'X'; }, "it does not start with \"GLREPLAY\" (byte 0)"},
        {[](Bytes& b) { put_u32(b, 16, 0xFFFFFFFF); }, "mouse count -1 at byte 16 is outside"},
        {[](Bytes& b) {
             b.resize(36); // the bad flag is the last byte
             b[35] = 5;
         },
         "step 1 (record at byte 24): key down flag 5 is neither 0 nor 1 at byte 35"},
        {[](Bytes& b) { put_u32(b, 29, 0xFFFFFFFF); },
         "input count 4294967295 is more than the rest of the file can hold at byte 29"},
        {[](Bytes& b) { put_u32(b, 40, 4097); }, "file path length 4097 is outside 1..4096"},
        {[](Bytes& b) { b[68] = 'z'; }, "unknown record tag 0x7a at byte 68, after step 1"},
        {[](Bytes& b) { b[94] = 8; }, "mouse buttons 0x8 name more than three buttons at byte 94"},
        {[](Bytes& b) { b.resize(90); },
         "truncated: the file ends at byte 90 inside a mouse report of step 2 (record at byte 68)"},
        {[](Bytes& b) { b.resize(115); }, "ends at byte 115 inside the end record at byte 108"},
        {[](Bytes& b) { b.push_back(0); },
         "goes on after the end record: 1 more bytes from byte 121"},
    };
    for (const Case& c : cases) {
        Bytes bytes = good;
        c.damage(bytes);
        const ReplayReadResult result = parse_replay(bytes, ReplayProgram::glimbo, r);
        EXPECT_EQ(result.status, ReplayReadStatus::refused) << c.message;
        EXPECT_NE(result.message.find(c.message), std::string::npos) << result.message;
        EXPECT_TRUE(r.steps.empty());
    }

    // Cut right after a whole step: unfinished, and both steps kept.
    const Bytes cut(good.begin(), good.begin() + 108);
    EXPECT_EQ(parse_replay(cut, ReplayProgram::glimbo, r).status, ReplayReadStatus::unfinished);
    EXPECT_EQ(r.steps.size(), 2u);
}

// Bytes changed, cut anywhere, slipped in, or a count made extreme: refused with a message
// or read, never a crash (the sanitised build catches any stray access).
TEST(ReplayFile, RandomDamageIsRefusedOrReadNeverCrashes) {
    std::vector<uint8_t> golden;
    std::string error;
    ASSERT_EQ(read_whole_file(std::string(REPLAY_GOLDEN_DIR) + "/glimbo_run.glr", golden, error),
              FileReadStatus::ok);
    std::mt19937 rng(14);
    auto below = [&](size_t n) { return size_t(rng() % std::max<size_t>(n, 1)); };
    int refused = 0;
    for (int round = 0; round < 600; ++round) {
        std::vector<uint8_t> b = golden;
        if (round % 4 == 0)
            for (int n = 1 + int(below(4)); n > 0; --n)
                b[below(b.size())] = uint8_t(rng());
        else if (round % 4 == 1)
            b.resize(below(b.size()));
        else if (round % 4 == 2)
            b.insert(b.begin() + std::ptrdiff_t(below(b.size())), 1 + below(8), uint8_t(rng()));
        else
            put_u32(b, below(b.size() - 3), rng() % 2 ? 0xFFFFFFFF : 0x7FFFFFFF);
        Replay r;
        const ReplayReadResult result = parse_replay(b, ReplayProgram::glimbo, r);
        refused += result.status == ReplayReadStatus::refused;
        EXPECT_EQ(result.message.empty(), result.status == ReplayReadStatus::ok);
    }
    EXPECT_GT(refused, 200);
}

} // namespace
