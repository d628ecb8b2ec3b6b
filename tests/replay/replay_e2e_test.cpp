// Both games recorded under Xvfb, then replayed headless: every digest matches. The
// recording's part file, read while the game runs, tells how far the run has come.
#include "replay/replay_reader.h"
#include "tests/support/program_e2e.h"
#include "tests/support/xvfb_injector.h"

#include <gtest/gtest.h>

namespace {

class Recording : public ProgramEndToEnd {
  protected:
    Recording(ProgramUnderTest game, ReplayProgram program)
        : ProgramEndToEnd(std::move(game)), program_(program) {}
    void TearDown() override {
        injector.close();
        ProgramEndToEnd::TearDown();
    }
    // Steps recorded so far; a record caught half written reads as the one before.
    size_t steps() {
        Replay r;
        if (read_replay_file((dir / "run.glr.part").string(), program_, r).status !=
            ReplayReadStatus::refused)
            last_ = r.steps.size();
        return last_;
    }
    bool steps_pass(size_t n) {
        const size_t target = steps() + n;
        return wait_until([&] { return steps() >= target; });
    }
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
    // Starts the game with a held key or button (glimbo's pointer starts on "play"), then
    // rolls towards the pointer, fires a rope, quits and replays the recording headless.
    void record_then_replay(const std::string& program, bool click_to_start) {
        start({}, {"--record", "run.glr"});
        ASSERT_NE(game_window(), 0u);
        ASSERT_TRUE(injector.open(xvfb.display()));
        EXPECT_TRUE(steps_pass(5));
        click_to_start ? injector.button(1, true) : x.key("space", true);
        EXPECT_TRUE(steps_pass(10));
        click_to_start ? injector.button(1, false) : x.key("space", false);
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
        EXPECT_FALSE(std::filesystem::exists(dir / "run.glr.part"));
        std::string text;
        EXPECT_EQ(run_headless(program, {"--replay", "run.glr", "--headless"}, text), 0) << text;
        EXPECT_NE(text.find("digests match;"), std::string::npos) << text;
        EXPECT_EQ(text.find("differs"), std::string::npos) << text;
    }

    XvfbInjector injector;

  private:
    ReplayProgram program_;
    size_t last_ = 0;
};

struct GlimboRecording : Recording {
    GlimboRecording()
        : Recording({GLIMBO_PROGRAM, "Tethro Game, on Kavo framework", 640, 480},
                    ReplayProgram::glimbo) {}
};
struct RopegameRecording : Recording {
    RopegameRecording()
        : Recording({ROPEGAME_PROGRAM, "Tethro game - on the kavo framework", 800, 600},
                    ReplayProgram::ropegame) {}
};

TEST_F(GlimboRecording, PlayRollRopeThenReplaysHeadless) {
    record_then_replay(GLIMBO_PROGRAM, true);
}

TEST_F(RopegameRecording, PlayRollRopeThenReplaysHeadless) {
    record_then_replay(ROPEGAME_PROGRAM, false);
}

TEST_F(RopegameRecording, HelpListsTheOptionsAndAnUnknownOneGivesTheUsage) {
    std::string text;
    EXPECT_EQ(run_headless(ROPEGAME_PROGRAM, {"--help"}, text), 0);
    EXPECT_NE(text.find("--replay FILE --headless"), std::string::npos) << text;
    EXPECT_EQ(run_headless(ROPEGAME_PROGRAM, {"--fast"}, text), 2);
    EXPECT_NE(text.find("unknown option '--fast'\nusage: ropegame"), std::string::npos) << text;
}

} // namespace
