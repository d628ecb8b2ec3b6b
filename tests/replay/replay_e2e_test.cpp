// Both games recorded under Xvfb, then replayed headless: every digest matches. glimbo's run
// takes the menu, plays, completes a level, rolls, jumps, fires a rope, and quick-saves and
// loads; ropegame's is shorter. The recording's part file, read while the game runs, tells
// how far the run has come.
#include "level/level_file.h"
#include "replay/replay_reader.h"
#include "tests/support/program_e2e.h"
#include "tests/support/xvfb_injector.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

const Pixel BLUE{0, 0, 255};      // label of a glimbo menu item
const Pixel DARK_BLUE{0, 0, 128}; // label of the item under player 0's pointer

// Window box around the label of a glimbo menu item (as in the glimbo end-to-end test).
struct Box {
    int x, y, w, h;
};
Box label_box(float x, float half_width, float y) {
    const float pixels_per_unit = 480.0f / 2 / 0.41421356f / 10;
    const int left = int(640 / 2 + ((x - half_width) * 0.25f + 0.7f) * pixels_per_unit);
    const int base = int(480 / 2 - (y * 0.25f - 0.1f) * pixels_per_unit);
    return {left - 2, base - 28, 140, 34};
}
const Box PLAY = label_box(0, 4, 0);
const Box SAVE = label_box(12, 6, -6);
const Box LOAD = label_box(-12, 6, 6);

class Recording : public ProgramEndToEnd {
  protected:
    Recording(ProgramUnderTest game, ReplayProgram program)
        : ProgramEndToEnd(std::move(game)), program_(program) {}

    void TearDown() override {
        injector.close();
        ProgramEndToEnd::TearDown();
    }

    // The recording so far; a record caught half written reads as the one before.
    const Replay& part() {
        Replay r;
        if (parse_state(r))
            last_part_ = std::move(r);
        return last_part_;
    }
    bool parse_state(Replay& r) {
        return read_replay_file((dir / "run.glr.part").string(), program_, r).status !=
               ReplayReadStatus::refused;
    }
    // Waits until `n` more steps have been recorded.
    bool steps_pass(size_t n) {
        const size_t target = part().steps.size() + n;
        return wait_until([&] { return part().steps.size() >= target; });
    }
    bool has_read(const std::string& path) {
        for (const ReplayStep& s : part().steps)
            for (const ReplayFileRead& f : s.files)
                if (f.path == path)
                    return true;
        return false;
    }
    // Holds the left button until `done`: a short click might fall between two frames.
    // Then lets a few steps see it up, so that the next press is a press of its own.
    template <typename Done> bool click_until(Done done) {
        injector.button(1, true);
        const bool seen = wait_until(done);
        injector.button(1, false);
        return steps_pass(3) && seen;
    }
    // Runs the program with `args` and no display; returns its exit code and output.
    int run_headless(const std::string& program, const std::vector<std::string>& args,
                     std::string& text) {
        ChildProcess child;
        const std::string out = (dir / "headless.txt").string();
        int code = -1;
        EXPECT_TRUE(child.start(program, dir.string(),
                                {"DISPLAY", "SDL_AUDIODRIVER=dummy", "ASAN_OPTIONS=detect_leaks=0"},
                                out, args));
        EXPECT_TRUE(child.wait_exit(code, std::chrono::seconds(120)));
        text = read_text_file(out);
        return code;
    }
    void expect_replay_matches(const std::string& program) {
        std::string text;
        EXPECT_EQ(run_headless(program, {"--replay", "run.glr", "--headless"}, text), 0) << text;
        EXPECT_NE(text.find("digests match;"), std::string::npos) << text;
        EXPECT_EQ(text.find("differs"), std::string::npos) << text;
    }

    XvfbInjector injector;

  private:
    ReplayProgram program_;
    Replay last_part_;
};

class GlimboRecording : public Recording {
  protected:
    GlimboRecording()
        : Recording({GLIMBO_PROGRAM, "Tethro Game, on Kavo framework", 640, 480},
                    ReplayProgram::glimbo) {}

    int count_in(unsigned long w, const Box& b, const Pixel& p) {
        Snapshot s;
        return x.snapshot(w, b.x, b.y, b.w, b.h, s) ? s.count(p) : -1;
    }
    bool label_is(unsigned long w, const Box& b, const Pixel& p) {
        return wait_until([&] { return count_in(w, b, p) >= 5; });
    }
};

class RopegameRecording : public Recording {
  protected:
    RopegameRecording()
        : Recording({ROPEGAME_PROGRAM, "Tethro game - on the kavo framework", 800, 600},
                    ReplayProgram::ropegame) {}
};

TEST_F(GlimboRecording, MenuPlayLevelRollJumpRopeSaveLoadThenReplaysHeadless) {
    // Level 1 holds one blob where the ball starts: the first play step completes it.
    LevelData first;
    first.ground = {{-40, -3}, {40, -3}};
    first.base = {{-40, -13}, {40, -13}};
    first.blobs = {{0, -1}};
    std::string error;
    ASSERT_TRUE(write_level_file((dir / "levels/level1.svg").string(), first, error));

    start({}, {"--record", "run.glr"});
    const unsigned long w = game_window();
    ASSERT_NE(w, 0u);
    ASSERT_TRUE(injector.open(xvfb.display()));
    ASSERT_TRUE(label_is(w, PLAY, DARK_BLUE)) << "the menu, pointer on \"play\"";

    EXPECT_TRUE(click_until([&] { return has_read("levels/level2.svg"); }))
        << "play, level 1 completed, level 2 loaded";
    ASSERT_TRUE(label_is(w, PLAY, DARK_BLUE)) << "the menu again";
    EXPECT_TRUE(click_until([&] { return count_in(w, PLAY, DARK_BLUE) == 0; })) << "play";

    injector.move(150, 20); // the pointer right of the ball: roll, jump, then a rope
    x.key("Q", true);
    EXPECT_TRUE(steps_pass(30));
    x.key("W", true);
    EXPECT_TRUE(steps_pass(10));
    x.key("W", false);
    x.key("Q", false);
    injector.button(1, true);
    EXPECT_TRUE(steps_pass(30));
    injector.button(1, false);

    x.key("M", true); // the menu; the pointer offset is (15, -2), then onto "save game"
    EXPECT_TRUE(label_is(w, SAVE, BLUE));
    x.key("M", false);
    injector.move(-30, 40);
    ASSERT_TRUE(label_is(w, SAVE, DARK_BLUE));
    EXPECT_TRUE(click_until([&] {
        std::error_code ec;
        return fs::file_size(dir / "quicksave.sav", ec) > 8 && !ec;
    })) << "the quick save";
    injector.move(-240, -120); // onto "load game"
    ASSERT_TRUE(label_is(w, LOAD, DARK_BLUE));
    EXPECT_TRUE(click_until([&] { return has_read("quicksave.sav"); })) << "the quick load";

    x.tap("Escape");
    expect_clean_exit();
    EXPECT_NE(read_text_file(output()).find("steps into run.glr"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir / "run.glr.part"));
    expect_replay_matches(GLIMBO_PROGRAM);
}

TEST_F(RopegameRecording, TitlePlayRollJumpRopeThenReplaysHeadless) {
    start({}, {"--record", "run.glr"});
    const unsigned long w = game_window();
    ASSERT_NE(w, 0u);
    ASSERT_TRUE(injector.open(xvfb.display()));
    EXPECT_TRUE(steps_pass(5)) << "the title screen";

    x.key("space", true); // play (Space is the jump key as well)
    EXPECT_TRUE(steps_pass(10));
    x.key("space", false);
    injector.move(100, 30);
    x.key("Q", true);
    EXPECT_TRUE(steps_pass(30));
    x.key("Q", false);
    injector.button(1, true);
    EXPECT_TRUE(steps_pass(20));
    injector.button(1, false);
    EXPECT_TRUE(steps_pass(5));

    x.tap("Escape");
    expect_clean_exit();
    expect_replay_matches(ROPEGAME_PROGRAM);
}

TEST_F(RopegameRecording, HelpListsTheOptionsAndAnUnknownOneGivesTheUsage) {
    std::string text;
    EXPECT_EQ(run_headless(ROPEGAME_PROGRAM, {"--help"}, text), 0);
    EXPECT_NE(text.find("--replay FILE --headless"), std::string::npos) << text;
    EXPECT_EQ(run_headless(ROPEGAME_PROGRAM, {"--fast"}, text), 2);
    EXPECT_NE(text.find("unknown option '--fast'\nusage: ropegame"), std::string::npos) << text;
}

} // namespace
