// Runs the built tool into a temporary folder and checks every file it writes with the
// readers the programs use, or with independent checks of the file layouts.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <unistd.h>

#include "level/level_file.h"
#include "level/mygame_file.h"
#include "level/safe_file.h"
#include "tools/content/content_writer.h"
#include "tools/content/mod_file.h"

namespace fs = std::filesystem;

namespace {

std::vector<uint8_t> slurp(const fs::path& p) {
    std::vector<uint8_t> bytes;
    std::string error;
    EXPECT_EQ(read_whole_file(p.string(), bytes, error), FileReadStatus::ok) << p << error;
    return bytes;
}

void run_tool_into(const fs::path& dir) {
    std::string cmd = std::string("'") + MAKE_CONTENT_PATH + "' '" + dir.string() + "' >/dev/null";
    EXPECT_EQ(std::system(cmd.c_str()), 0) << cmd;
}

fs::path run_tool(const std::string& tag) {
    fs::path dir =
        fs::temp_directory_path() / ("glimbo_content_" + tag + "_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    run_tool_into(dir);
    return dir;
}

class ContentFolder : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { dir = new fs::path(run_tool("a")); }
    static void TearDownTestSuite() {
        fs::remove_all(*dir);
        delete dir;
    }
    static fs::path* dir;
};
fs::path* ContentFolder::dir = nullptr;

const char* IMAGES[] = {"head",          "Ground",     "sheep",      "pointer",    "gdust",
                        "HANDLE",        "BALL",       "body",       "glimbo",     "ice",
                        "spikes",        "minisheep",  "miniball",   "stars",      "ground2spikes",
                        "spikes2ground", "ground2ice", "ice2ground", "spikes2ice", "ice2spikes",
                        "foot",          "sky",        "STICK",      "cloud1",     "cloud2",
                        "cloud3",        "cloud4",     "cloud5",     "cloud6",     "cloud7",
                        "cloud8"};

struct Tga {
    int width = 0, height = 0, bpp = 0;
    std::vector<uint8_t> px; // as stored: bottom row first, B G R (A)
    int channel(int x, int row_from_bottom, int c) const {
        return px[(static_cast<size_t>(row_from_bottom) * width + x) * (bpp / 8) + c];
    }
};

bool is_pow2(int v) {
    return v > 0 && (v & (v - 1)) == 0;
}

// The layout the games' loader accepts: fixed 12-byte start, size, 24 or 32 bits.
Tga check_tga(const std::vector<uint8_t>& b, const std::string& name) {
    Tga t;
    const uint8_t fixed[12] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_GE(b.size(), 18u) << name;
    if (b.size() < 18)
        return t;
    EXPECT_TRUE(std::equal(fixed, fixed + 12, b.begin())) << name;
    t.width = b[12] | b[13] << 8;
    t.height = b[14] | b[15] << 8;
    t.bpp = b[16];
    EXPECT_TRUE(t.bpp == 24 || t.bpp == 32) << name;
    EXPECT_EQ(b[17] & 0x20, 0) << name << ": rows must be stored bottom first";
    EXPECT_TRUE(is_pow2(t.width) && is_pow2(t.height)) << name << " " << t.width << "x" << t.height;
    EXPECT_EQ(b.size(), 18u + static_cast<size_t>(t.width) * t.height * (t.bpp / 8)) << name;
    t.px.assign(b.begin() + 18, b.end());
    return t;
}

Tga load(const fs::path& dir, const std::string& name) {
    return check_tga(slurp(dir / "Data" / (name + ".tga")), name);
}

double column_mean(const Tga& t, int x) {
    double s = 0;
    for (int y = 0; y < t.height; ++y)
        for (int c = 0; c < 3; ++c)
            s += t.channel(x, y, c);
    return s / (t.height * 3);
}

} // namespace

TEST_F(ContentFolder, EveryImageIsAnAcceptedPowerOfTwoTga) {
    for (const char* name : IMAGES)
        load(*dir, name);
    size_t count = 0;
    for (const auto& e : fs::directory_iterator(*dir / "Data"))
        count += e.path().extension() == ".tga";
    EXPECT_EQ(count, std::size(IMAGES));
}

TEST_F(ContentFolder, SpritesHaveTransparentEdgesAndSolidMiddles) {
    // The games' alpha test drops alpha at or below 0.05 (and 0.1 in the editors).
    for (const char* name : {"pointer", "gdust", "sheep", "cloud1", "cloud5", "body", "glimbo",
                             "head", "HANDLE", "BALL", "foot"}) {
        Tga t = load(*dir, name);
        ASSERT_EQ(t.bpp, 32) << name;
        int dropped = 0, solid = 0;
        for (int y = 0; y < t.height; ++y)
            for (int x = 0; x < t.width; ++x) {
                int a = t.channel(x, y, 3);
                dropped += a <= 12;
                solid += a >= 200;
            }
        int n = t.width * t.height;
        EXPECT_GT(dropped, n / 50) << name;
        EXPECT_GT(solid, n / 50) << name;
    }
    // The ball shell's windows let the sheep show: some of each row band is clear.
    Tga shell = load(*dir, "glimbo");
    EXPECT_LE(shell.channel(shell.width / 8, shell.height / 2, 3), 12);
}

TEST_F(ContentFolder, TransitionsRunFromTheFirstSurfaceToTheSecond) {
    const std::map<std::string, std::pair<std::string, std::string>> pairs = {
        {"ground2spikes", {"Ground", "spikes"}}, {"spikes2ground", {"spikes", "Ground"}},
        {"ground2ice", {"Ground", "ice"}},       {"ice2ground", {"ice", "Ground"}},
        {"spikes2ice", {"spikes", "ice"}},       {"ice2spikes", {"ice", "spikes"}}};
    for (const auto& [name, ends] : pairs) {
        Tga t = load(*dir, name), from = load(*dir, ends.first), to = load(*dir, ends.second);
        int last = t.width - 1;
        EXPECT_NEAR(column_mean(t, 0), column_mean(from, 0), 6) << name;
        EXPECT_NEAR(column_mean(t, last), column_mean(to, last), 12) << name;
    }
}

TEST_F(ContentFolder, TilingTexturesHaveNoSeams) {
    // The jump from the last column back to the first is no bigger than between neighbours.
    for (const char* name : {"stars", "Ground", "ice", "spikes"}) {
        Tga t = load(*dir, name);
        double inner = 0, seam = 0;
        for (int x = 0; x + 1 < t.width; ++x)
            inner += std::fabs(column_mean(t, x) - column_mean(t, x + 1));
        inner /= t.width - 1;
        seam = std::fabs(column_mean(t, t.width - 1) - column_mean(t, 0));
        EXPECT_LE(seam, inner * 3 + 1) << name;
    }
}

TEST_F(ContentFolder, SoundsAre16BitPcmAndAudible) {
    std::vector<fs::path> files = {*dir / "vornrope.wav"};
    for (const char* s :
         {"bing", "complete", "grapple", "jump", "release", "roll", "swish", "thunk", "trundle"})
        files.push_back(*dir / "sounds" / (std::string(s) + ".wav"));
    for (const fs::path& p : files) {
        std::vector<uint8_t> b = slurp(p);
        ASSERT_GE(b.size(), 44u) << p;
        auto u16 = [&](size_t at) { return b[at] | b[at + 1] << 8; };
        EXPECT_EQ(std::string(b.begin(), b.begin() + 4), "RIFF");
        EXPECT_EQ(std::string(b.begin() + 8, b.begin() + 16), "WAVEfmt ");
        // PCM, mono, block align, bits.
        EXPECT_EQ((std::vector<int>{u16(20), u16(22), u16(32), u16(34)}),
                  (std::vector<int>{1, 1, 2, 16}))
            << p;
        EXPECT_EQ(std::string(b.begin() + 36, b.begin() + 40), "data");
        const uint32_t size = uint32_t(u16(40)) | uint32_t(u16(42)) << 16;
        ASSERT_EQ(size + 44, b.size()) << p;
        int peak = 0;
        double energy = 0;
        for (size_t i = 44; i + 1 < b.size(); i += 2) {
            int v = static_cast<int16_t>(b[i] | b[i + 1] << 8);
            peak = std::max(peak, std::abs(v));
            energy += static_cast<double>(v) * v;
        }
        double rms = std::sqrt(energy / (size / 2));
        EXPECT_GT(peak, 12000) << p;
        EXPECT_LT(peak, 32767) << p << " clips";
        EXPECT_GT(rms, 1000) << p;
        EXPECT_GT(size / 2, 22050u / 5) << p << " shorter than a fifth of a second";
    }
}

TEST_F(ContentFolder, MusicIsAValidFourChannelModuleOfHalfAMinuteOrMore) {
    std::vector<uint8_t> b = slurp(*dir / "music.mod");
    ModCheck c = check_mod(b);
    ASSERT_TRUE(c.ok) << c.error;
    EXPECT_GE(c.seconds_before_loop, 30.0);
    EXPECT_LE(c.seconds_before_loop, 180.0);
    // Every note names a sample that has data.
    int with_data = 0;
    for (int len : c.sample_lengths)
        with_data += len > 0;
    EXPECT_GE(with_data, 4); // melody, bass and at least two drums
    for (int p = 0; p < c.pattern_count; ++p)
        for (int cell = 0; cell < MOD_ROWS * MOD_CHANNELS; ++cell) {
            size_t at = MOD_HEADER_BYTES + (static_cast<size_t>(p) * 256 + cell) * 4;
            int sample = (b[at] & 0xF0) | (b[at + 2] >> 4);
            int period = (b[at] & 0x0F) << 8 | b[at + 1];
            if (sample) {
                EXPECT_GT(c.sample_lengths[sample - 1], 0);
            }
            if (period) {
                EXPECT_TRUE(std::find(MOD_PERIODS.begin(), MOD_PERIODS.end(), period) !=
                            MOD_PERIODS.end())
                    << period;
            }
        }
    // Melody, keys, bass and drums: all four channels play notes.
    for (int ch = 0; ch < MOD_CHANNELS; ++ch) {
        int notes = 0;
        for (int row = 0; row < c.pattern_count * MOD_ROWS; ++row)
            notes += b[MOD_HEADER_BYTES + (static_cast<size_t>(row) * 4 + ch) * 4 + 1] != 0;
        EXPECT_GT(notes, 20) << "channel " << ch;
    }
}

namespace {

struct Seg {
    GroundPoint a, b;
};

double dist_to_segment(double px, double py, const Seg& s) {
    double dx = s.b.x - s.a.x, dy = s.b.y - s.a.y;
    double t = std::clamp(((px - s.a.x) * dx + (py - s.a.y) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
    return std::hypot(px - (s.a.x + t * dx), py - (s.a.y + t * dy));
}

// Open space is on the left walking from a to b.
bool on_open_side(double px, double py, const Seg& s) {
    return (s.b.x - s.a.x) * (py - s.a.y) - (s.b.y - s.a.y) * (px - s.a.x) > 0;
}

} // namespace

TEST_F(ContentFolder, LevelsAreReadableAndPlayable) {
    int levels = 0;
    for (int n = 1; fs::exists(*dir / "levels" / ("level" + std::to_string(n) + ".svg")); ++n) {
        SCOPED_TRACE("level " + std::to_string(n));
        ++levels;
        LevelData level;
        LevelReadOptions game;
        game.copy_first_type_to_last = true;
        fs::path path = *dir / "levels" / ("level" + std::to_string(n) + ".svg");
        LevelReadResult r = read_level_file(path.string(), level, game);
        ASSERT_EQ(r.status, LevelReadStatus::ok) << r.error;
        ASSERT_GE(level.ground.size(), 3u);
        std::vector<Seg> segs;
        for (size_t k = 0; k + 1 < level.ground.size(); ++k)
            segs.push_back({level.ground[k], level.ground[k + 1]});
        // Each of four players starts at (2i, -1) and drops at most a few units onto
        // grippy ground whose open side is up.
        for (int i = 0; i < 4; ++i) {
            double x = 2.0 * i, best = -1e9;
            int type = 0;
            for (const Seg& s : segs)
                if (s.a.x < x && x <= s.b.x) {
                    double y = s.a.y + (s.b.y - s.a.y) * (x - s.a.x) / (s.b.x - s.a.x);
                    if (y <= -2 && y > best) {
                        best = y;
                        type = s.a.type;
                    }
                }
            EXPECT_GT(best, -6) << "player " << i;
            EXPECT_EQ(type, SURFACE_GROUND) << "player " << i;
        }
        // Blobs: at least one; each in open space clear of the ground, and within rope
        // reach (30) of a segment that is not spikes, on that segment's open side.
        EXPECT_GE(level.blobs.size(), 1u);
        for (const Blob& b : level.blobs) {
            EXPECT_EQ(b.present, 1);
            double nearest = 1e9;
            const Seg* nearest_seg = nullptr;
            bool reachable = false;
            for (const Seg& s : segs) {
                double d = dist_to_segment(b.x, b.y, s);
                if (d < nearest) {
                    nearest = d;
                    nearest_seg = &s;
                }
                if (d <= 30 && s.a.type != SURFACE_SPIKES && on_open_side(b.x, b.y, s))
                    reachable = true;
            }
            EXPECT_GE(nearest, 1.0) << "blob (" << b.x << ", " << b.y << ") is in the ground";
            ASSERT_NE(nearest_seg, nullptr);
            EXPECT_TRUE(on_open_side(b.x, b.y, *nearest_seg))
                << "blob (" << b.x << ", " << b.y << ") is inside solid ground";
            EXPECT_TRUE(reachable) << "blob (" << b.x << ", " << b.y << ") out of reach";
        }
    }
    EXPECT_GE(levels, 6);
}

TEST_F(ContentFolder, FirstLevelsNeedNoRope) {
    // Levels 1 and 2 teach rolling and jumping: every blob hangs at most 11 units above
    // a grippy floor (a jump inflates the ball by 1 in a step, which at gravity 0.05
    // carries its centre about 10 units up, and a blob is taken within radius + 1).
    for (int n : {1, 2}) {
        LevelData level;
        fs::path path = *dir / "levels" / ("level" + std::to_string(n) + ".svg");
        ASSERT_EQ(read_level_file(path.string(), level).status, LevelReadStatus::ok);
        for (const Blob& b : level.blobs) {
            bool over_floor = false;
            for (size_t k = 0; k + 1 < level.ground.size(); ++k) {
                const GroundPoint &a = level.ground[k], &c = level.ground[k + 1];
                if (a.type != SURFACE_GROUND || !(a.x <= b.x && b.x <= c.x) || a.x == c.x)
                    continue;
                double slope = (c.y - a.y) / (c.x - a.x);
                double y = a.y + slope * (b.x - a.x);
                over_floor = over_floor || (std::fabs(slope) < 1 && b.y > y && b.y - y <= 11);
            }
            EXPECT_TRUE(over_floor) << "level " << n << " blob (" << b.x << ", " << b.y << ")";
        }
    }
}

TEST_F(ContentFolder, MyGameGroundLiesUnderTheStart) {
    MyGameData g;
    MyGameReadResult r = read_mygame_file((*dir / "MyGame.svg").string(), g);
    ASSERT_EQ(r.status, MyGameReadStatus::ok) << r.error;
    ASSERT_GE(g.top.size(), 10u);
    bool under = false;
    for (size_t k = 0; k + 1 < g.top.size(); ++k) {
        const TopPoint &a = g.top[k], &b = g.top[k + 1];
        if (a.x < 0 && 0 <= b.x) {
            double y = a.y + (b.y - a.y) * (0 - a.x) / (b.x - a.x);
            under = y < -1.7 && y > -10; // below the foot, above the floor at -10.8
        }
        EXPECT_GE(b.x, a.x) << "the top line runs left to right, its open side up";
    }
    EXPECT_TRUE(under);
    for (size_t k = 0; k < g.top.size(); ++k)
        EXPECT_LT(g.bottom[k].y, g.top[k].y);
}

TEST_F(ContentFolder, TwoRunsWriteTheSameBytes) {
    fs::path other = run_tool("b");
    size_t files = 0;
    for (const auto& e : fs::recursive_directory_iterator(*dir)) {
        if (!e.is_regular_file())
            continue;
        fs::path rel = fs::relative(e.path(), *dir);
        ASSERT_TRUE(fs::exists(other / rel)) << rel;
        EXPECT_TRUE(slurp(e.path()) == slurp(other / rel)) << rel;
        ++files;
    }
    EXPECT_GE(files, 31u + 10u + 1u + 6u + 1u);
    fs::remove_all(other);
}

TEST(ContentRun, RemovesLevelsLeftFromAnEarlierRunAndKeepsOtherFiles) {
    fs::path dir =
        fs::temp_directory_path() / ("glimbo_content_stale_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir / "levels");
    for (const char* name : {"levels/level42.svg", "levels/notes.txt", "quicksave.sav"}) {
        std::string error;
        ASSERT_TRUE(write_file_atomically((dir / name).string(), {1, 2, 3}, error)) << error;
    }
    run_tool_into(dir);
    EXPECT_FALSE(fs::exists(dir / "levels/level42.svg"));
    EXPECT_TRUE(fs::exists(dir / "levels/level1.svg"));
    EXPECT_TRUE(fs::exists(dir / "levels/notes.txt"));
    EXPECT_TRUE(fs::exists(dir / "quicksave.sav"));
    fs::remove_all(dir);
}

TEST(ContentRun, BadArgumentsAndBadLevelSourcesFailWithAMessage) {
    std::string tool = std::string("'") + MAKE_CONTENT_PATH + "'";
    EXPECT_NE(std::system((tool + " 2>/dev/null").c_str()), 0);
    EXPECT_NE(std::system((tool + " a b 2>/dev/null").c_str()), 0);
    fs::path src = fs::temp_directory_path() / ("glimbo_bad_levels_" + std::to_string(::getpid()));
    fs::path out = src / "out";
    fs::create_directories(src);
    std::string error;
    ASSERT_TRUE(write_file_atomically((src / "level1.txt").string(),
                                      {'p', 'o', 'i', 'n', 't', ' ', '1', '\n'}, error));
    std::string cmd = tool + " '" + out.string() + "' --levels '" + src.string() + "' 2>'" +
                      (src / "err.txt").string() + "'";
    EXPECT_NE(std::system(cmd.c_str()), 0);
    std::vector<uint8_t> err = slurp(src / "err.txt");
    std::string text(err.begin(), err.end());
    EXPECT_NE(text.find("level1.txt:1:"), std::string::npos) << text;
    EXPECT_FALSE(fs::exists(out / "levels/level1.svg"));
    fs::remove_all(src);
}

TEST(ContentRun, AnEditedMyGameGroundSurvivesTheNextRun) {
    fs::path dir = run_tool("edit");
    const fs::path ground = dir / "MyGame.svg";
    std::vector<uint8_t> generated = slurp(ground);
    std::string error;
    // The prototypes' editor saved its untouched two-point ground over the file.
    std::vector<uint8_t> edited = encode_mygame(mygame_start_ground());
    ASSERT_TRUE(write_file_atomically(ground.string(), edited, error)) << error;
    run_tool_into(dir);
    EXPECT_TRUE(slurp(ground) == edited);
    // Once removed, the generated ground comes back.
    fs::remove(ground);
    run_tool_into(dir);
    EXPECT_TRUE(slurp(ground) == generated);
    // A file this tool wrote (its fingerprint on record) is replaced by the current one.
    std::string mark = std::to_string(content_fingerprint(edited));
    ASSERT_TRUE(write_file_atomically(ground.string(), edited, error));
    ASSERT_TRUE(write_file_atomically((dir / MYGAME_RECORD).string(),
                                      std::vector<uint8_t>(mark.begin(), mark.end()), error));
    run_tool_into(dir);
    EXPECT_TRUE(slurp(ground) == generated);
    fs::remove_all(dir);
}
