// Runs the built tool into a temporary folder and checks every file it writes with the
// readers the programs use, or with independent checks of the file layouts.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <unistd.h>

#include "level/level_file.h"
#include "level/safe_file.h"
#include "tools/content/content_writer.h"

namespace fs = std::filesystem;

namespace {

std::vector<uint8_t> slurp(const fs::path& p) {
    std::vector<uint8_t> bytes;
    std::string error;
    EXPECT_EQ(read_whole_file(p.string(), bytes, error), FileReadStatus::ok) << p << error;
    return bytes;
}

fs::path run_tool(const std::string& tag) {
    fs::path dir =
        fs::temp_directory_path() / ("glimbo_content_" + tag + "_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    std::string cmd = std::string("'") + MAKE_CONTENT_PATH + "' '" + dir.string() + "' >/dev/null";
    EXPECT_EQ(std::system(cmd.c_str()), 0) << cmd;
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

} // namespace

TEST_F(ContentFolder, EveryImageIsAnAcceptedPowerOfTwoTga) {
    for (const char* name : IMAGES)
        load(*dir, name);
    size_t count = 0;
    for (const auto& e : fs::directory_iterator(*dir / "Data"))
        count += e.path().extension() == ".tga";
    EXPECT_EQ(count, std::size(IMAGES));
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
