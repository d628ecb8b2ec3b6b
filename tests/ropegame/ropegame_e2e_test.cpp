// ropegame under an Xvfb of the test's own, with the generated content: a recorded run
// through the title screen, Space starting play, the pause on P, rolling and a rope, that
// replays headless to the same digests; a missing first level; the command line's help.
#include "tests/support/program_e2e.h"

using namespace std::chrono_literals;

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
        return wait_until([&] { return shot(TEXTS).differences(before) > 0; }, 1s);
    }
    // Waits until `n` more steps have been recorded.
    bool steps_pass(size_t n) {
        const size_t target = recorded(ReplayProgram::ropegame).steps.size() + n;
        return wait_until([&] { return recorded(ReplayProgram::ropegame).steps.size() >= target; });
    }
};

TEST_F(RopegameEndToEnd, RecordedTitlePausePlayAndRopeReplayHeadless) {
    start({}, {"--record", "run.glr"});
    ASSERT_NE(game_window(), 0u);
    EXPECT_TRUE(wait_until([&] { return golden_pixels() > 250; })) << "the title's button";
    EXPECT_FALSE(x.cursor_visible());

    // Space starts play: the button is gone. Held until then, in case a busy machine
    // draws no frame while it is down.
    x.key("space", true);
    EXPECT_TRUE(wait_until([&] { return golden_pixels() < 20; })) << "the play scene";
    x.key("space", false);
    EXPECT_TRUE(texts_change());

    // P pauses: the cursor shows and nothing is drawn any more; P again resumes.
    x.tap("p");
    EXPECT_TRUE(wait_until([&] { return x.cursor_visible(); })) << "cursor shown";
    EXPECT_TRUE(wait_until([&] { return !texts_change(); })) << "paused";
    x.tap("p");
    EXPECT_TRUE(wait_until([&] { return !x.cursor_visible(); })) << "cursor hidden";
    EXPECT_TRUE(wait_until([&] { return texts_change(); })) << "running again";

    x.move(100, 30); // roll towards the pointer, then a rope
    x.key("Q", true);
    EXPECT_TRUE(steps_pass(30));
    x.key("Q", false);
    x.button(1, true);
    EXPECT_TRUE(steps_pass(20));
    x.button(1, false);
    EXPECT_TRUE(steps_pass(5));

    x.tap("Escape");
    expect_clean_exit();
    expect_replay_matches();
}

TEST_F(RopegameEndToEnd, MissingFirstLevelShowsTheErrorBoxThenEnds) {
    check_missing_first_level();
}

TEST_F(RopegameEndToEnd, HelpListsTheOptionsAndAnUnknownOneGivesTheUsage) {
    std::string text;
    EXPECT_EQ(run_headless(ROPEGAME_PROGRAM, {"--help"}, text), 0);
    EXPECT_NE(text.find("--replay FILE --headless"), std::string::npos) << text;
    EXPECT_EQ(run_headless(ROPEGAME_PROGRAM, {"--fast"}, text), 2);
    EXPECT_NE(text.find("unknown option '--fast'\nusage: ropegame"), std::string::npos) << text;
}

} // namespace
