// glimbo under an Xvfb of the test's own, with the generated content: a recorded run through
// the menu (a pointer driven by the "Xvfb mouse" device), play with a roll and a rope, the
// quick save and load, that replays headless to the same digests. The recording's part
// file, read while the game runs, tells how far the run has come.
#include "level/level_file.h"
#include "replay/replay_reader.h"
#include "tests/support/program_e2e.h"

#include <cstdlib>

namespace fs = std::filesystem;

namespace {

const std::string TITLE = "Tethro Game, on Kavo framework";
constexpr int WIDTH = 640;
constexpr int HEIGHT = 480;
const Pixel BLUE{0, 0, 255};      // label of a menu item
const Pixel DARK_BLUE{0, 0, 128}; // label of the item under player 0's pointer

// Window boxes around the labels of menu items "play", "restart level", "save game" and
// "load game": an item at (x, y) of half width hw has its text's raster position at
// ((x - hw) / 4 + 0.7, y / 4 - 0.1) in the menu plane at depth 10, 57.94 pixels a unit; the
// box starts 2 pixels left of it and 28 above, and the text runs right and a little up.
struct Box {
    int x, y, w, h;
};
constexpr Box PLAY{300, 217, 140, 34};    // (0, 0), hw 4
constexpr Box RESTART{271, 130, 140, 34}; // (0, 6), hw 6
constexpr Box SAVE{445, 304, 140, 34};    // (12, -6), hw 6
constexpr Box LOAD{97, 130, 140, 34};     // (-12, 6), hw 6

class GlimboEndToEnd : public ProgramEndToEnd {
  protected:
    GlimboEndToEnd() : ProgramEndToEnd({GLIMBO_PROGRAM, TITLE, WIDTH, HEIGHT}) {}

    int count_in(const Box& b, const Pixel& p) {
        Snapshot s;
        return x.snapshot(window, b.x, b.y, b.w, b.h, s)
                   ? int(std::count(s.pixels.begin(), s.pixels.end(), p))
                   : -1;
    }
    bool label_is(const Box& b, const Pixel& p) {
        return wait_until([&] { return count_in(b, p) >= 5; });
    }
    // The recording so far; a record caught half written reads as the one before.
    const Replay& recorded() {
        Replay r;
        if (read_replay_file((dir / "run.glr.part").string(), ReplayProgram::glimbo, r).status !=
            ReplayReadStatus::refused)
            recording = std::move(r);
        return recording;
    }
    // Waits until `n` more steps have been recorded.
    bool steps_pass(size_t n) {
        const size_t target = recorded().steps.size() + n;
        return wait_until([&] { return recorded().steps.size() >= target; });
    }
    bool has_read(const std::string& path) {
        for (const ReplayStep& s : recorded().steps)
            for (const ReplayFileRead& f : s.files)
                if (f.path == path)
                    return true;
        return false;
    }
    // Holds the left button until `done`: a short click might fall between two frames.
    // Then lets a few steps see it up, so that the next press is a press of its own.
    template <typename Done> bool click_until(Done done) {
        x.button(1, true);
        const bool seen = wait_until(done);
        x.button(1, false);
        return steps_pass(3) && seen;
    }

    Replay recording;
};

TEST_F(GlimboEndToEnd, RecordedMenuPlaySaveAndLoadReplayHeadless) {
    start({}, {"--record", "run.glr"});
    ASSERT_NE(game_window(), 0u);
    ASSERT_TRUE(label_is(PLAY, DARK_BLUE)) << "the menu, pointer on \"play\"";
    EXPECT_TRUE(click_until([&] {
        return count_in(PLAY, DARK_BLUE) + count_in(PLAY, BLUE) + count_in(RESTART, BLUE) == 0;
    })) << "play: the menu's labels are gone";

    // The pointer right of the ball and a little down, a rope shot along the aim, a roll.
    x.move(150, 20);
    x.button(1, true);
    EXPECT_TRUE(steps_pass(10));
    x.button(1, false);
    x.key("Q", true);
    EXPECT_TRUE(steps_pass(30));
    x.key("Q", false);

    x.key("M", true); // the menu; the pointer offset is (15, -2), then onto "save game"
    EXPECT_TRUE(label_is(SAVE, BLUE));
    x.key("M", false);
    x.move(-30, 40);
    ASSERT_TRUE(label_is(SAVE, DARK_BLUE));
    LevelData level;
    ASSERT_EQ(read_level_file((dir / "levels/level1.svg").string(), level).status,
              LevelReadStatus::ok);
    const auto expected = uintmax_t(8 + 768 * 1 + 16 * level.blobs.size());
    EXPECT_TRUE(click_until([&] {
        std::error_code ec;
        return fs::file_size(dir / "quicksave.sav", ec) == expected;
    })) << "quicksave.sav of one player and the level's blobs";
    x.move(-240, -120); // onto "load game"
    ASSERT_TRUE(label_is(LOAD, DARK_BLUE));
    EXPECT_TRUE(click_until([&] { return has_read("quicksave.sav"); })) << "the quick load";

    x.tap("Escape");
    expect_clean_exit();
    EXPECT_NE(read_text_file(output()).find("steps into run.glr"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir / "run.glr.part"));
    // The finished recording replays without a display to the same digests.
    const std::string replay = "cd '" + dir.string() + "' && env -u DISPLAY timeout 120 '" +
                               GLIMBO_PROGRAM + "' --replay run.glr --headless >replay.txt 2>&1";
    EXPECT_EQ(std::system(replay.c_str()), 0);
    const std::string text = read_text_file((dir / "replay.txt").string());
    EXPECT_NE(text.find("digests match;"), std::string::npos) << text;
    EXPECT_EQ(text.find("differs"), std::string::npos) << text;
}

} // namespace
