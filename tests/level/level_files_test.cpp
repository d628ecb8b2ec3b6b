// The level file and the prototypes' ground file: exact bytes, what the readers keep and
// ignore, one table of damaged inputs per reader, and the crash-safe save on disk.
#include "level/level_file.h"
#include "level/mygame_file.h"
#include "level/safe_file.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<uint8_t>;

std::string hex(const Bytes& v) {
    std::string s;
    for (uint8_t b : v)
        s += "0123456789abcdef"[b >> 4] + std::string(1, "0123456789abcdef"[b & 15]);
    return s;
}

void put_word(Bytes& b, size_t at, uint32_t v) {
    for (size_t i = 0; i < 4; ++i)
        b[at + i] = uint8_t(v >> (8 * i));
}

uint32_t bits(float v) { return std::bit_cast<uint32_t>(v); }

// A damaged input: the good file cut to `at` bytes (word CUT), or the 4-byte `word` put at
// byte `at`; `error` empty when the reader must take it.
constexpr uint64_t CUT = ~0ull;
struct Damage {
    size_t at;
    uint64_t word;
    std::string error;
};

// Every damaged input is refused with its message and leaves `held` as it was. The others
// are read whole: encoded again and given the same word, they are the bytes that were read.
template <class Data, class Parse, class Encode>
void check_damage(const Data& held, const Bytes& good, Parse parse, Encode encode,
                  std::initializer_list<Damage> table) {
    for (const Damage& d : table) {
        SCOPED_TRACE("byte " + std::to_string(d.at) + ": " + d.error);
        Bytes bytes = good;
        if (d.word == CUT)
            bytes.resize(d.at);
        else
            put_word(bytes, d.at, uint32_t(d.word));
        Data data = held;
        const auto result = parse(bytes, data);
        EXPECT_EQ(result.error, d.error);
        if (d.error.empty()) {
            Bytes again = encode(data);
            put_word(again, d.at, uint32_t(d.word));
            EXPECT_EQ(hex(again), hex(bytes));
        } else {
            EXPECT_EQ(result.status, decltype(result.status)::damaged);
            EXPECT_TRUE(data == held);
        }
    }
}

std::string not_finite(const std::string& record) {
    return record + " has a coordinate that is not a finite number";
}

// Three ground points of every surface, two blobs, the second collected.
LevelData sample_level() {
    LevelData l;
    l.ground = {{-5, 0, 1, SURFACE_GROUND}, {0, 1, 0, SURFACE_ICE}, {5, 0, 1, SURFACE_SPIKES}};
    l.base = {{-5, -3}, {0, -2}, {5, -3}};
    l.blobs = {{1, 2, 1, 1}, {3, 4, 0, 5}};
    return l;
}

Bytes bare(const LevelData& l) { return encode_level(l, {.write_trailing = false}); }

// On tmpfs where there is one, a file system of its own: a save whose temporary file is made
// outside the save's folder could not be renamed into place.
struct TempDir {
    fs::path path = (fs::is_directory("/dev/shm") ? "/dev/shm" : fs::temp_directory_path()) /
                    ("level_test_" + std::to_string(getpid()));
    TempDir() { fs::create_directories(path); }
    ~TempDir() { fs::remove_all(path); }
    std::string file(const char* name) const { return (path / name).string(); }
    size_t entries() const {
        return size_t(std::distance(fs::directory_iterator(path), fs::directory_iterator()));
    }
};

} // namespace

// "LSD\0", 2 ground points, 1 blob; ground points (x, y, flag and three spare bytes, type),
// base points (x, y, 8 spare bytes), the blob (x, y, present and three spare bytes, kind),
// then the ball-mark and sheep-mark sections. The ground file: "LSD\0", 2 points a line,
// then the top line's and the bottom line's points (x, y, a spare word).
TEST(LevelFiles, UntouchedEditorFilesByteForByte) {
    EXPECT_EQ(hex(encode_level(editor_start_level())),
              "4c5344000200000001000000000020c1000040c0010000000100000000002041000040c001000000"
              "01000000000020c1000020c1000000000000000000002041000020c1000000000000000000004040"
              "0000803f0100000001000000010000000000803f000040400000803f010000000100000000000040"
              "0000004000000040000000400000803f000000400000004001000000");
    EXPECT_EQ(hex(encode_mygame(mygame_start_ground())),
              "4c53440002000000000020c10000204100000000000020410000204100000000000020c1000020c1"
              "0000000000002041000020c100000000");
    // A base or bottom line shorter than the top (never made by our code) is written as
    // the top line's points.
    LevelData level = editor_start_level();
    MyGameData ground = mygame_start_ground();
    level.base.resize(1);
    ground.bottom.clear();
    EXPECT_EQ(hex(encode_level(level)).substr(88, 64), "000020c1000020c10000000000000000"
                                                       "00002041000040c00000000000000000");
    EXPECT_EQ(hex(encode_mygame(ground)).substr(64), "000020c10000204100000000"
                                                     "000020410000204100000000");
}

// The marks are never read, so the ones held stay; the game alone copies the first point's
// type into the last.
TEST(LevelFiles, ReadersKeepTheMarksAndTheGameCopiesTheFirstType) {
    LevelData src = sample_level(), got = editor_start_level();
    src.balls = {{9, 9, 2, 1}};
    ASSERT_EQ(parse_level(encode_level(src), got, {.copy_first_type_to_last = true}).error, "");
    src.ground[2].type = SURFACE_GROUND;
    src.balls = got.balls;
    src.sheep = got.sheep;
    EXPECT_EQ(got, src);
    EXPECT_EQ(got.balls, editor_start_level().balls);
    const LevelData none; // no points and no blobs: an empty level
    EXPECT_EQ(parse_level(encode_level(none), got).error, "");
}

TEST(LevelFiles, DamagedLevelIsRefusedNamingTheFaultAndLeavesTheLevel) {
    // Ground points at 12 + 16k, base points at 60 + 16k, blobs at 108 + 16k.
    const std::string three_two = "file ends before its 3 ground points and 2 blobs";
    const std::string short_header = "file is shorter than the 12-byte header";
    const auto parse = [](const Bytes& b, LevelData& l) { return parse_level(b, l); };
    check_damage(editor_start_level(), bare(sample_level()), parse, bare,
                 {{0, CUT, short_header},
                  {11, CUT, short_header},
                  {12, CUT, three_two},
                  {139, CUT, three_two},
                  {4, uint32_t(-1), "negative record count"},
                  {8, uint32_t(-2), "negative record count"},
                  {4, 4, "file ends before its 4 ground points and 2 blobs"},
                  {8, 3, "file ends before its 3 ground points and 3 blobs"},
                  {4, INT32_MAX, "file ends before its 2147483647 ground points and 2 blobs"},
                  {8, INT32_MAX, "file ends before its 3 ground points and 2147483647 blobs"},
                  {12, bits(-NAN), not_finite("ground point 0")},
                  {12 + 32 + 4, bits(INFINITY), not_finite("ground point 2")},
                  {60 + 16, bits(NAN), not_finite("base point 1")},
                  {108 + 4, bits(INFINITY), not_finite("blob 0")},
                  {124, bits(NAN), not_finite("blob 1")},
                  {0, 0x12345678, ""},
                  {12 + 8, 0xEEEEEE07, ""}, // flag and spare bytes
                  {60 + 12, 0xDEADBEEF, ""},
                  {108 + 8, 0x77777700, ""}, // collected, and spare bytes
                  {12 + 16, bits(1e30f), ""},
                  {124 + 4, bits(3e38f), ""}});
}

TEST(LevelFiles, DamagedGroundIsRefusedNamingTheFaultAndLeavesTheGround) {
    // Top points at 8 + 12k, bottom points at 32 + 12k.
    const std::string short_header = "file is shorter than the 8-byte header";
    check_damage(mygame_start_ground(), encode_mygame(mygame_start_ground()), parse_mygame,
                 encode_mygame,
                 {{0, CUT, short_header},
                  {7, CUT, short_header},
                  {8, CUT, "file ends before its 2 points"},
                  {55, CUT, "file ends before its 2 points"},
                  {4, uint32_t(-1), "negative point count"},
                  {4, 0x80000000u, "negative point count"},
                  {4, 3, "file ends before its 3 points"},
                  {4, INT32_MAX, "file ends before its 2147483647 points"},
                  {8, bits(NAN), not_finite("top point 0")},
                  {24, bits(-INFINITY), not_finite("top point 1")},
                  {32 + 4, bits(INFINITY), not_finite("bottom point 0")},
                  {44, bits(-NAN), not_finite("bottom point 1")},
                  {0, 0, ""},
                  {16, 0x99, ""}, // a spare word
                  {48, bits(3e38f), ""}});
    // No points at all is a ground, if a bare one.
    check_damage(mygame_start_ground(), encode_mygame({}), parse_mygame, encode_mygame,
                 {{4, 0, ""}});
}

// A save replaces the file whole, with a plain file's mode and no temporary file left; a
// save that fails (full disk, no folder, a folder in the way) leaves the old file as it was.
TEST(LevelFiles, SavesReplaceWholeOrLeaveTheOldFile) {
    TempDir dir;
    const std::string file = dir.file("level.svg");
    std::string error;
    LevelData small, got;
    ASSERT_TRUE(write_level_file(file, small, error)) << error;
    EXPECT_EQ(fs::file_size(file), 20u);
    ASSERT_TRUE(write_level_file(file, sample_level(), error)) << error;
    EXPECT_EQ(dir.entries(), 1u);
    const mode_t mask = umask(0);
    umask(mask);
    EXPECT_EQ(fs::status(file).permissions(), fs::perms(0666 & ~mask));
    ASSERT_EQ(read_level_file(file, got).error, "");
    EXPECT_TRUE(got == sample_level());

    // A file-size limit fails every write past the first byte, as a full disk would, even
    // for root: the first write takes one byte, the next one fails.
    rlimit old_limit;
    getrlimit(RLIMIT_FSIZE, &old_limit);
    rlimit limit = old_limit;
    limit.rlim_cur = 1;
    const auto old_handler = signal(SIGXFSZ, SIG_IGN);
    ASSERT_TRUE(write_level_file(file, small, error)) << error;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    const bool saved = write_level_file(file, editor_start_level(), error);
    setrlimit(RLIMIT_FSIZE, &old_limit);
    signal(SIGXFSZ, old_handler);
    EXPECT_FALSE(saved);
    EXPECT_EQ(error, file + ": File too large");
    EXPECT_EQ(dir.entries(), 1u);
    EXPECT_EQ(fs::file_size(file), 20u);

    fs::create_directories(dir.path / "in_the_way" / "x");
    for (const std::string& path : {dir.file("none/level.svg"), dir.file("in_the_way")}) {
        error.clear();
        EXPECT_FALSE(write_mygame_file(path, mygame_start_ground(), error)) << path;
        EXPECT_EQ(error.rfind(path + ": ", 0), 0u) << error;
    }
    EXPECT_EQ(dir.entries(), 2u);
    EXPECT_EQ(fs::file_size(file), 20u);
}

// Reading from disk: the path in front of the reason, and what was held kept.
TEST(LevelFiles, ReadingFromDiskNamesTheFile) {
    TempDir dir;
    std::ofstream(dir.file("short.svg"), std::ios::binary) << "LSD";
    std::ofstream(dir.file("odd"), std::ios::binary) << std::string(65537, 'x');
    Bytes bytes = {1, 2, 3}; // replaced, not added to
    std::string error;
    ASSERT_EQ(read_whole_file(dir.file("odd"), bytes, error), FileReadStatus::ok);
    EXPECT_EQ(bytes, Bytes(65537, 'x')); // past the reader's 64 KiB chunk
    struct Case {
        std::string path;
        LevelReadStatus status;
        std::string level_error, ground_error;
    };
    const Case cases[] = {
        {dir.file("none.svg"), LevelReadStatus::cannot_open, "No such file or directory",
         "No such file or directory"},
        {dir.path.string(), LevelReadStatus::damaged, "read error", "read error"},
        {dir.file("short.svg"), LevelReadStatus::damaged,
         "file is shorter than the 12-byte header", "file is shorter than the 8-byte header"},
    };
    for (const Case& c : cases) {
        LevelData level = editor_start_level();
        MyGameData ground = mygame_start_ground();
        const LevelReadResult l = read_level_file(c.path, level);
        const MyGameReadResult g = read_mygame_file(c.path, ground);
        EXPECT_EQ(l.status, c.status);
        EXPECT_EQ(int(g.status), int(c.status));
        EXPECT_EQ(l.error, c.path + ": " + c.level_error);
        EXPECT_EQ(g.error, c.path + ": " + c.ground_error);
        EXPECT_EQ(level, editor_start_level());
        EXPECT_EQ(ground, mygame_start_ground());
    }
}
