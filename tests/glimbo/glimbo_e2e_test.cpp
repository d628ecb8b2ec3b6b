// The whole program under an Xvfb of the test's own, with the generated content: the menu,
// a pointer driven by the "Xvfb mouse" device, play, a rope, the full-screen
// switch, the quick save, Escape and a missing first level.
#include "level/level_file.h"
#include "tests/support/program_e2e.h"
#include "tests/support/xvfb_injector.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

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

class GlimboEndToEnd : public ProgramEndToEnd {
  protected:
    GlimboEndToEnd() : ProgramEndToEnd({GLIMBO_PROGRAM, TITLE, WIDTH, HEIGHT}) {}

    void TearDown() override {
        injector.close();
        ProgramEndToEnd::TearDown();
    }

    int count_in(unsigned long w, const Box& b, const Pixel& p) {
        Snapshot s;
        if (!x.snapshot(w, b.x, b.y, b.w, b.h, s))
            return -1;
        return s.count(p);
    }

    bool label_is(unsigned long w, const Box& b, const Pixel& p) {
        return wait_until([&] { return count_in(w, b, p) >= 5; });
    }

    // Holds the left button until the click has shown its effect: a press and release that
    // both fall between two frames of a busy machine would never be seen by the game.
    template <typename Done> bool click_until(Done done) {
        injector.button(1, true);
        const bool seen = wait_until(done);
        injector.button(1, false);
        return seen;
    }

    XvfbInjector injector;
};

TEST_F(GlimboEndToEnd, MenuPointerPlayRopeFullScreenSaveAndEscape) {
    start();
    const unsigned long w = game_window();
    ASSERT_NE(w, 0u);
    ASSERT_TRUE(injector.open(xvfb.display()));

    // The menu, with player 0's pointer at the centre on "play".
    EXPECT_TRUE(label_is(w, PLAY, DARK_BLUE)) << "the menu with \"play\" under the pointer";

    // 60 mickeys up move the pointer 6 units onto "restart level", and back again.
    injector.move(0, -60);
    EXPECT_TRUE(label_is(w, RESTART, DARK_BLUE));
    EXPECT_TRUE(label_is(w, PLAY, BLUE));
    injector.move(0, 60);
    ASSERT_TRUE(label_is(w, PLAY, DARK_BLUE));

    // A click on "play" leaves the menu: its labels are no longer drawn.
    EXPECT_TRUE(click_until([&] {
        return count_in(w, PLAY, DARK_BLUE) + count_in(w, PLAY, BLUE) +
                   count_in(w, RESTART, BLUE) ==
               0;
    })) << "play started";

    // The pointer off to the right and a little down; a frame drawn after that shows the
    // game has stepped with the button up, so the next press fires a rope.
    Snapshot before;
    ASSERT_TRUE(x.snapshot(w, 0, 0, WIDTH, HEIGHT, before));
    injector.move(150, 20);
    ASSERT_TRUE(wait_until([&] {
        Snapshot s;
        return x.snapshot(w, 0, 0, WIDTH, HEIGHT, s) && s.differences(before) > 50;
    }));

    // A rope shot along the aim hooks the ground to the right: twelve grey lines appear.
    Snapshot whole;
    ASSERT_TRUE(x.snapshot(w, 0, 0, WIDTH, HEIGHT, whole));
    const int grey_before = whole.count(ROPE_GREY);
    injector.button(1, true);
    EXPECT_TRUE(wait_until([&] {
        Snapshot s;
        return x.snapshot(w, 0, 0, WIDTH, HEIGHT, s) && s.count(ROPE_GREY) > grey_before + 40;
    })) << "the rope is drawn";
    injector.button(1, false);

    // F1 twice: each rebuild starts over in the menu, and the second gives a 640 x 480
    // window again. A display without a 640 x 480 mode refuses full screen with a warning
    // box first.
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
    const unsigned long rebuilt = game_window(full_screen_attempt);
    ASSERT_NE(rebuilt, 0u);
    int width = 0, height = 0;
    ASSERT_TRUE(x.client_size(rebuilt, width, height));
    EXPECT_EQ(width, WIDTH);
    EXPECT_EQ(height, HEIGHT);
    EXPECT_TRUE(label_is(rebuilt, RESTART, BLUE)) << "the menu after the rebuild";

    // "save game" (12, -6): the pointer offset is (15, -2) after the moves above.
    injector.move(-30, 40);
    const Box save = label_box(12, 6, -6);
    ASSERT_TRUE(label_is(rebuilt, save, DARK_BLUE));
    LevelData level;
    ASSERT_EQ(read_level_file((dir / "levels/level1.svg").string(), level).status,
              LevelReadStatus::ok);
    const auto expected = uintmax_t(8 + 768 * 1 + 16 * level.blobs.size());
    const fs::path save_file = dir / "quicksave.sav";
    EXPECT_TRUE(click_until([&] {
        std::error_code ec;
        return fs::file_size(save_file, ec) == expected;
    })) << "quicksave.sav of one player and the level's blobs";

    // Escape ends the program normally.
    x.tap("Escape");
    expect_clean_exit();
}

TEST_F(GlimboEndToEnd, MissingFirstLevelShowsTheErrorBoxThenEnds) {
    check_missing_first_level();
}

} // namespace
