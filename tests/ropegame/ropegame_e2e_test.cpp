// The whole program under an Xvfb of the test's own, with the generated content: the title
// screen, Space starting play, the pause on P, Escape and a missing first level.
#include "tests/ropegame/cursor_probe.h"
#include "tests/support/program_e2e.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

const std::string TITLE = "Tethro game - on the kavo framework";
constexpr int WIDTH = 800;
constexpr int HEIGHT = 600;

// The upper left part of the title's play button (the golden "Data/HANDLE.tga"), clear
// of its text and of the pointer: the button spans about 300..500 x 250..350 of the
// window. In play the ground band lies lower, from about y = 295.
struct Box {
    int x, y, w, h;
};
constexpr Box BUTTON{305, 252, 40, 25};
// The heads-up texts; the frame rate changes on every frame while the game runs.
constexpr Box TEXTS{10, 5, 150, 75};

// Warm light tones of the button, unlike the white, blue and purple of the star backdrop.
bool golden(const Pixel& p) {
    return p.r > 150 && p.g > 90 && p.r >= p.b + 40;
}

class RopegameEndToEnd : public ProgramEndToEnd {
  protected:
    RopegameEndToEnd() : ProgramEndToEnd({ROPEGAME_PROGRAM, TITLE, WIDTH, HEIGHT}) {}

    Snapshot shot(unsigned long w, const Box& b) {
        Snapshot s;
        x.snapshot(w, b.x, b.y, b.w, b.h, s);
        return s;
    }
    int golden_pixels(unsigned long w) {
        const Snapshot s = shot(w, BUTTON);
        int n = 0;
        for (const Pixel& p : s.pixels)
            n += golden(p);
        return n;
    }
    // True when the texts change within a second (frames are being drawn).
    bool texts_change(unsigned long w) {
        const Snapshot before = shot(w, TEXTS);
        return wait_until([&] { return shot(w, TEXTS).differences(before) > 0; }, 1s);
    }
};

TEST_F(RopegameEndToEnd, TitleSpacePauseAndEscape) {
    start();
    const unsigned long w = game_window();
    ASSERT_NE(w, 0u);
    EXPECT_TRUE(wait_until([&] { return golden_pixels(w) > 250; })) << "the title's button";
    EXPECT_FALSE(cursor_visible(xvfb.display()));

    // Space starts play: the button is gone. Held until then, in case a busy machine
    // draws no frame while it is down.
    x.key("space", true);
    EXPECT_TRUE(wait_until([&] { return golden_pixels(w) < 20; })) << "the play scene";
    x.key("space", false);
    EXPECT_TRUE(texts_change(w));

    // P pauses: the cursor shows and nothing is drawn any more; P again resumes.
    x.tap("p");
    EXPECT_TRUE(wait_until([&] { return cursor_visible(xvfb.display()); })) << "cursor shown";
    std::this_thread::sleep_for(300ms); // a frame already under way may still land
    EXPECT_FALSE(texts_change(w)) << "paused";
    x.tap("p");
    EXPECT_TRUE(wait_until([&] { return !cursor_visible(xvfb.display()); })) << "cursor hidden";
    EXPECT_TRUE(wait_until([&] { return texts_change(w); })) << "running again";

    x.tap("Escape");
    expect_clean_exit();
}

TEST_F(RopegameEndToEnd, MissingFirstLevelShowsTheErrorBoxThenEnds) {
    check_missing_first_level();
}

} // namespace
