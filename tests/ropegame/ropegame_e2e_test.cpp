// ropegame under an Xvfb of the test's own, with the generated content: the title screen,
// Space starting play, the pause on P; a missing first level; the command line's help.
#include "tests/support/program_e2e.h"

namespace {

const std::string TITLE = "Tethro game - on the kavo framework";

// The upper left part of the title's play button (the golden "Data/HANDLE.tga"), clear
// of its text and of the pointer: the button spans about 300..500 x 250..350 of the
// window. In play the ground band lies lower, from about y = 295.
struct Box {
    int x, y, w, h;
};
constexpr Box BUTTON{305, 252, 40, 25};
// The heads-up texts; the frame rate changes on every frame while the game runs.
constexpr Box TEXTS{10, 5, 150, 75};

class RopegameEndToEnd : public ProgramEndToEnd {
  protected:
    RopegameEndToEnd() : ProgramEndToEnd({ROPEGAME_PROGRAM, TITLE, 800, 600}) {}

    Snapshot shot(const Box& b) {
        Snapshot s;
        x.snapshot(window, b.x, b.y, b.w, b.h, s);
        return s;
    }
    // Warm light tones of the button, unlike the white, blue and purple of the star backdrop.
    int golden_pixels() {
        int n = 0;
        for (const Pixel& p : shot(BUTTON).pixels)
            n += p.r > 150 && p.g > 90 && p.r >= p.b + 40;
        return n;
    }
    // True when the texts change within a second (frames are being drawn).
    bool texts_change() {
        const Snapshot before = shot(TEXTS);
        return wait_until([&] { return shot(TEXTS).differences(before) > 0; },
                          std::chrono::seconds(1));
    }
};

TEST_F(RopegameEndToEnd, TitleThenPlayPausedAndResumedOnP) {
    start();
    ASSERT_NE(game_window(), 0u);
    EXPECT_TRUE(wait_until([&] { return golden_pixels() > 250; })) << "the title's button";

    // Space starts play: the button is gone. Held until then, in case a busy machine
    // draws no frame while it is down.
    x.key("space", true);
    EXPECT_TRUE(wait_until([&] { return golden_pixels() < 20; })) << "the play scene";
    x.key("space", false);
    EXPECT_TRUE(texts_change());

    // P pauses: nothing is drawn any more; P again resumes.
    x.tap("p");
    EXPECT_TRUE(wait_until([&] { return !texts_change(); })) << "paused";
    x.tap("p");
    EXPECT_TRUE(wait_until([&] { return texts_change(); })) << "running again";
    x.tap("Escape");
    expect_clean_exit();
}

// The error box, from the games' shared host, ends the game once it is answered.
TEST_F(RopegameEndToEnd, MissingFirstLevelShowsTheErrorBoxThenEnds) {
    std::filesystem::remove(dir / "levels/level1.svg");
    start();
    EXPECT_TRUE(dismiss_box("error")) << "\"you need a level1.svg file\"";
    expect_clean_exit();
}

TEST_F(RopegameEndToEnd, HelpListsTheOptionsAndAnUnknownOneGivesTheUsage) {
    start({}, {"--help"});
    expect_clean_exit();
    EXPECT_NE(read_text_file(output()).find("--replay FILE --headless"), std::string::npos);
    start({}, {"--fast"});
    int code = -1;
    ASSERT_TRUE(program.wait_exit(code));
    EXPECT_EQ(code, 2);
    const std::string usage = "unknown option '--fast'\nusage: ropegame";
    EXPECT_NE(read_text_file(output()).find(usage), std::string::npos);
}

} // namespace
