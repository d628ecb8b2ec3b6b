// Runs the built tool into a temporary folder and reads what it wrote with the readers the
// programs use: every image the games load, the prototypes' ground and playable levels.
#include "assets/texture.h"
#include "level/level_file.h"
#include "level/mygame_file.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <filesystem>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const char* const IMAGES = "head Ground sheep pointer gdust HANDLE BALL body glimbo ice spikes "
                           "minisheep miniball stars ground2spikes spikes2ground ground2ice "
                           "ice2ground spikes2ice ice2spikes foot sky STICK cloud1 cloud2 cloud3 "
                           "cloud4 cloud5 cloud6 cloud7 cloud8";

struct Seg {
    GroundPoint a, b;
};

double distance(double px, double py, const Seg& s) {
    const double dx = s.b.x - s.a.x, dy = s.b.y - s.a.y;
    const double t = std::clamp(((px - s.a.x) * dx + (py - s.a.y) * dy) / (dx * dx + dy * dy),
                                0.0, 1.0);
    return std::hypot(px - (s.a.x + t * dx), py - (s.a.y + t * dy));
}

// Open space is on the left walking from a to b.
bool on_open_side(double px, double py, const Seg& s) {
    return (s.b.x - s.a.x) * (py - s.a.y) - (s.b.y - s.a.y) * (px - s.a.x) > 0;
}

// Each of four players starts at (2i, -1) and drops at most a few units onto grippy ground.
// Every blob is in open space clear of the ground, and within rope reach (30) of a segment
// that is not spikes, on that segment's open side.
void expect_playable(const LevelData& level) {
    std::vector<Seg> segs;
    for (size_t k = 0; k + 1 < level.ground.size(); ++k)
        segs.push_back({level.ground[k], level.ground[k + 1]});
    for (int i = 0; i < 4; ++i) {
        const double x = 2.0 * i;
        const Seg* below = nullptr;
        double best = -6;
        for (const Seg& s : segs) {
            const double y = s.a.y + (s.b.y - s.a.y) * (x - s.a.x) / (s.b.x - s.a.x);
            if (s.a.x < x && x <= s.b.x && y <= -2 && y > best) {
                best = y;
                below = &s;
            }
        }
        ASSERT_NE(below, nullptr) << "no ground close below player " << i;
        EXPECT_EQ(below->a.type, SURFACE_GROUND) << "player " << i;
    }
    EXPECT_GE(level.blobs.size(), 1u);
    for (const Blob& b : level.blobs) {
        SCOPED_TRACE("blob (" + std::to_string(b.x) + ", " + std::to_string(b.y) + ")");
        EXPECT_EQ(b.present, 1);
        const Seg* nearest = &segs[0];
        bool reachable = false;
        for (const Seg& s : segs) {
            if (distance(b.x, b.y, s) < distance(b.x, b.y, *nearest))
                nearest = &s;
            reachable |= distance(b.x, b.y, s) <= 30 && s.a.type != SURFACE_SPIKES &&
                         on_open_side(b.x, b.y, s);
        }
        EXPECT_GE(distance(b.x, b.y, *nearest), 1.0) << "in the ground";
        EXPECT_TRUE(on_open_side(b.x, b.y, *nearest)) << "inside solid ground";
        EXPECT_TRUE(reachable) << "out of reach";
    }
}

TEST(ContentFolder, ImagesLoadGroundReadsAndLevelsArePlayable) {
    const fs::path dir = fs::temp_directory_path() / ("glimbo_content_" + std::to_string(getpid()));
    fs::remove_all(dir);
    const std::string cmd = std::string("'") + MAKE_CONTENT_PATH + "' '" + dir.string() +
                            "' >/dev/null";
    ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;

    // Every image the games load, with power-of-two sides (loaded without resampling).
    std::istringstream names(IMAGES);
    for (std::string name; names >> name;) {
        Texture t;
        std::string error;
        EXPECT_TRUE(read_tga_file((dir / "Data" / (name + ".tga")).string(), t, error)) << error;
        EXPECT_TRUE(std::has_single_bit(t.width) && std::has_single_bit(t.height)) << name;
    }

    MyGameData ground;
    EXPECT_EQ(read_mygame_file((dir / "MyGame.svg").string(), ground).error, "");
    EXPECT_GE(ground.top.size(), 2u);
    int levels = 0;
    for (int n = 1; fs::exists(dir / "levels" / ("level" + std::to_string(n) + ".svg")); ++n) {
        const fs::path path = dir / "levels" / ("level" + std::to_string(n) + ".svg");
        SCOPED_TRACE(path.string());
        ++levels;
        LevelData level;
        ASSERT_EQ(read_level_file(path.string(), level, {.copy_first_type_to_last = true}).error,
                  "");
        ASSERT_GE(level.ground.size(), 3u);
        expect_playable(level);
    }
    EXPECT_GE(levels, 6);
    fs::remove_all(dir);
}

} // namespace
