// glimbo under an Xvfb of the test's own, with the generated content: a recorded run through
// the menu (a pointer driven by the "Xvfb mouse" device), a completed level, rolling,
// jumping, a rope, the quick save and load, that replays headless to the same digests; the
// full-screen switch; a missing first level. The recording's part file, read while the game
// runs, tells how far the run has come.
#include "level/level_file.h"
#include "tests/support/program_e2e.h"

namespace fs = std::filesystem;

namespace {

const std::string TITLE = "Tethro Game, on Kavo framework";
constexpr int WIDTH = 640;
constexpr int HEIGHT = 480;
const Pixel BLUE{0, 0, 255};      // label of a menu item
const Pixel DARK_BLUE{0, 0, 128}; // label of the item under player 0's pointer
const Pixel ROPE_GREY{64, 64, 64};

// Window box around the label of a menu item: its raster position in the menu plane at
// depth 10 is ((x - half width) / 4 + 0.7, y / 4 - 0.1); the text runs right and a little up.
struct Box {
    int x, y, w, h;
};
Box label_box(float x, float half_width, float y) {
    const float pixels_per_unit = float(HEIGHT) / 2 / 0.41421356f / 10;
    const int left = int(WIDTH / 2 + ((x - half_width) * 0.25f + 0.7f) * pixels_per_unit);
    const int base = int(HEIGHT / 2 - (y * 0.25f - 0.1f) * pixels_per_unit);
    return {left - 2, base - 28, 140, 34};
}
const Box PLAY = label_box(0, 4, 0);
const Box RESTART = label_box(0, 6, 6);
const Box SAVE = label_box(12, 6, -6);
const Box LOAD = label_box(-12, 6, 6);
const Box WHOLE{0, 0, WIDTH, HEIGHT};

class GlimboEndToEnd : public ProgramEndToEnd {
  protected:
    GlimboEndToEnd() : ProgramEndToEnd({GLIMBO_PROGRAM, TITLE, WIDTH, HEIGHT}) {}

    int count_in(const Box& b, const Pixel& p) {
        Snapshot s;
        return x.snapshot(window, b.x, b.y, b.w, b.h, s) ? s.count(p) : -1;
    }
    bool label_is(const Box& b, const Pixel& p) {
        return wait_until([&] { return count_in(b, p) >= 5; });
    }
    // Waits until `n` more steps have been recorded.
    bool steps_pass(size_t n) {
        const size_t target = recorded(ReplayProgram::glimbo).steps.size() + n;
        return wait_until([&] { return recorded(ReplayProgram::glimbo).steps.size() >= target; });
    }
    bool has_read(const std::string& path) {
        for (const ReplayStep& s : recorded(ReplayProgram::glimbo).steps)
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
};

TEST_F(GlimboEndToEnd, RecordedMenuLevelRopeSaveAndLoadReplayHeadless) {
    // Level 1 holds one blob where the ball starts: the first play step completes it, and
    // level 2 is the usual first level.
    fs::copy_file(dir / "levels/level1.svg", dir / "levels/level2.svg",
                  fs::copy_options::overwrite_existing);
    LevelData first;
    first.ground = {{-40, -3}, {40, -3}};
    first.base = {{-40, -13}, {40, -13}};
    first.blobs = {{0, -1}};
    std::string error;
    ASSERT_TRUE(write_level_file((dir / "levels/level1.svg").string(), first, error));

    start({}, {"--record", "run.glr"});
    ASSERT_NE(game_window(), 0u);
    ASSERT_TRUE(label_is(PLAY, DARK_BLUE)) << "the menu, pointer on \"play\"";
    // 60 mickeys up move the pointer 6 units onto "restart level", and back again.
    x.move(0, -60);
    EXPECT_TRUE(label_is(RESTART, DARK_BLUE));
    EXPECT_TRUE(label_is(PLAY, BLUE));
    x.move(0, 60);
    ASSERT_TRUE(label_is(PLAY, DARK_BLUE));

    EXPECT_TRUE(click_until([&] { return has_read("levels/level2.svg"); }))
        << "play, level 1 completed, level 2 loaded";
    ASSERT_TRUE(label_is(PLAY, DARK_BLUE)) << "the menu again";
    EXPECT_TRUE(click_until([&] {
        return count_in(PLAY, DARK_BLUE) + count_in(PLAY, BLUE) + count_in(RESTART, BLUE) == 0;
    })) << "play: the menu's labels are gone";

    // The pointer right of the ball and a little down: a rope shot along the aim hooks the
    // ground to the right, and twelve grey lines appear. Then a roll and a jump.
    x.move(150, 20);
    EXPECT_TRUE(steps_pass(3));
    const int grey = count_in(WHOLE, ROPE_GREY);
    x.button(1, true);
    EXPECT_TRUE(wait_until([&] { return count_in(WHOLE, ROPE_GREY) > grey + 40; }))
        << "the rope is drawn";
    x.button(1, false);
    x.key("Q", true);
    EXPECT_TRUE(steps_pass(30));
    x.key("W", true);
    EXPECT_TRUE(steps_pass(10));
    x.key("W", false);
    x.key("Q", false);

    x.key("M", true); // the menu; the pointer offset is (15, -2), then onto "save game"
    EXPECT_TRUE(label_is(SAVE, BLUE));
    x.key("M", false);
    x.move(-30, 40);
    ASSERT_TRUE(label_is(SAVE, DARK_BLUE));
    LevelData second;
    ASSERT_EQ(read_level_file((dir / "levels/level2.svg").string(), second).status,
              LevelReadStatus::ok);
    const auto expected = uintmax_t(8 + 768 * 1 + 16 * second.blobs.size());
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
    expect_replay_matches();
}

// F1 twice: each rebuild starts over in the menu, and the second gives a 640 x 480 window
// again. A display without a 640 x 480 mode refuses full screen with a warning box first.
TEST_F(GlimboEndToEnd, FullScreenSwitchThereAndBackGivesTheMenuAgain) {
    start();
    const unsigned long w = game_window();
    ASSERT_NE(w, 0u);
    ASSERT_TRUE(label_is(PLAY, DARK_BLUE));
    x.tap("F1");
    ASSERT_TRUE(wait_until([&] {
        const unsigned long now = x.find_window(TITLE);
        return x.find_window("Error") != 0 || (now != 0 && now != w);
    }));
    if (x.find_window("Error") != 0) {
        EXPECT_TRUE(dismiss_box("Error")) << "the mode-switch warning";
    }
    const unsigned long full_screen_attempt = game_window(w);
    ASSERT_NE(full_screen_attempt, 0u);
    x.tap("F1");
    ASSERT_NE(game_window(full_screen_attempt), 0u) << "640 x 480 again";
    EXPECT_TRUE(label_is(RESTART, BLUE)) << "the menu after the rebuild";
    x.tap("Escape");
    expect_clean_exit();
}

TEST_F(GlimboEndToEnd, MissingFirstLevelShowsTheErrorBoxThenEnds) {
    check_missing_first_level();
}

} // namespace
