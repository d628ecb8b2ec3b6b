// The program entry and its loop on a scripted platform: pacing, minimising, quitting,
// rebuilding for full screen, and the failures that end a program.
#include "fake_platform.h"
#include "fake_raw_mouse.h"
#include "frame/frame.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// Hooks that record what the loop did with them.
struct Program {
    std::vector<uint32_t> updates;
    int inits = 0, draws = 0, deinits = 0;
    std::vector<bool> init_results; // consumed per init; true once empty
    std::vector<std::pair<uint32_t, bool>> key_events;
    int allocated_for = -1;
    ProgramHooks hooks;

    explicit Program(FakePlatform& platform) {
        hooks.program_init = [this, &platform](GlWindow& window, KeyTable&) {
            ++inits;
            platform.log.push_back("init");
            EXPECT_NE(window.hwnd, nullptr);
            if (init_results.empty()) {
                return true;
            }
            const bool ok = init_results.front();
            init_results.erase(init_results.begin());
            return ok;
        };
        hooks.program_update = [this](uint32_t ms) { updates.push_back(ms); };
        hooks.program_draw = [this] { ++draws; };
        hooks.program_deinit = [this, &platform] {
            ++deinits;
            platform.log.push_back("deinit");
        };
        hooks.key_event = [this](uint32_t vk, bool down) { key_events.emplace_back(vk, down); };
        hooks.allocate_players = [this](int count) { allocated_for = count; };
        hooks.raw_mouse = FakeRawMouse::calls_table();
    }
};

ScriptedMessage key_down(uint32_t at, uint32_t vk) {
    return {at, WM_KEYDOWN, vk, 0};
}

class LoopTest : public ::testing::Test {
  protected:
    void SetUp() override { FakeRawMouse::reset(); }
    FakePlatform platform;
    Program program{platform};

    int run(Deliverable d) { return run_program(settings_for(d), program.hooks, platform); }
};

TEST_F(LoopTest, GamesWaitSixteenMillisecondsAndHandOverTheWholeDifference) {
    platform.tick_script = {1000, 1010, 1018}; // window ready, then two idle passes
    platform.script = {key_down(1018, VK_ESCAPE)};
    EXPECT_EQ(run(Deliverable::glimbo), 0);
    EXPECT_EQ(program.updates, std::vector<uint32_t>({18}));
    EXPECT_EQ(program.draws, 1);
    EXPECT_EQ(platform.swaps, 0); // single-buffered: the draw hook flushes
    EXPECT_EQ(platform.sleeps, 2);
    EXPECT_FALSE(platform.created[0].double_buffer);
}

TEST_F(LoopTest, GamesFrameOnTheFirstPassAtSixteenMilliseconds) {
    platform.script = {key_down(1040, VK_ESCAPE)};
    ASSERT_EQ(run(Deliverable::ropegame), 0);
    // The clock only moves with the 1 ms sleeps: frames at 1016 and 1032.
    EXPECT_EQ(program.updates, std::vector<uint32_t>({16, 16}));
    EXPECT_EQ(platform.swaps, 2);
    EXPECT_TRUE(platform.created[0].double_buffer);
}

TEST_F(LoopTest, PrototypesSpinForSeventeenMillisecondsWithoutSleeping) {
    platform.tick_step = 1;
    platform.script = {key_down(1040, VK_ESCAPE)};
    ASSERT_EQ(run(Deliverable::mygame1), 0);
    EXPECT_EQ(program.updates, std::vector<uint32_t>({17, 17}));
    EXPECT_EQ(platform.sleeps, 0);
    EXPECT_EQ(platform.swaps, 2);
}

TEST_F(LoopTest, EditorsDrawOnEveryIdlePass) {
    platform.tick_step = 2;
    platform.script = {key_down(1010, VK_ESCAPE)};
    ASSERT_EQ(run(Deliverable::mygameedit), 0);
    EXPECT_EQ(program.updates, std::vector<uint32_t>({2, 2, 2, 2}));
    EXPECT_EQ(program.draws, 4);
    EXPECT_EQ(platform.sleeps, 0);
}

TEST_F(LoopTest, TickCounterWrapGivesTheTrueGap) {
    platform.tick_script = {0xFFFFFFF0u, 0x00000002u};
    platform.script = {key_down(2, VK_ESCAPE)};
    ASSERT_EQ(run(Deliverable::glimbo), 0);
    EXPECT_EQ(program.updates, std::vector<uint32_t>({18}));
}

TEST_F(LoopTest, MinimisedWindowNeitherUpdatesNorDrawsAndRestoreGetsTheWholeGap) {
    platform.script = {{1020, WM_SIZE, SIZE_MINIMIZED, 0},
                       {5000, WM_SIZE, SIZE_RESTORED, make_lparam(800, 600)},
                       key_down(5003, VK_ESCAPE)};
    ASSERT_EQ(run(Deliverable::glimbo), 0);
    // One frame at 1016, none while minimised, then 5001 - 1016 at once.
    EXPECT_EQ(program.updates, std::vector<uint32_t>({16, 3985}));
    EXPECT_EQ(program.draws, 2);
    // Nothing spun while minimised: sleeps only on the active passes.
    EXPECT_EQ(platform.sleeps, 20 + 3);
    EXPECT_EQ(platform.projections.back(), std::make_pair(800, 600));
}

TEST_F(LoopTest, EscapeAndCloseEndEveryProgramInOnePass) {
    for (Deliverable d : {Deliverable::glimbo, Deliverable::ropegame, Deliverable::leveledit,
                          Deliverable::mygame1, Deliverable::mygameedit, Deliverable::mygame2}) {
        for (uint32_t quit : {WM_KEYDOWN, WM_CLOSE}) {
            FakePlatform p;
            Program prog(p);
            p.tick_step = 1;
            p.script = {{1005, quit, VK_ESCAPE, 0}};
            EXPECT_EQ(run_program(settings_for(d), prog.hooks, p), 0);
            EXPECT_EQ(prog.inits, 1);
            EXPECT_EQ(prog.deinits, 1);
            EXPECT_EQ(p.created.size(), 1u);
            // The deinit hook runs before the window goes, and the class goes last.
            auto at = [&](const std::string& s) {
                return std::find(p.log.begin(), p.log.end(), s) - p.log.begin();
            };
            EXPECT_LT(at("deinit"), at("destroy_window"));
            EXPECT_EQ(p.log.back(), "unregister OpenGL");
        }
    }
}

TEST_F(LoopTest, F1TwiceRebuildsTwiceAndEndsOnTheStartingWindow) {
    platform.script = {key_down(1005, VK_F1), key_down(2005, VK_F1), key_down(3005, VK_ESCAPE)};
    ASSERT_EQ(run(Deliverable::glimbo), 0);
    ASSERT_EQ(platform.created.size(), 3u);
    EXPECT_FALSE(platform.created[0].fullscreen);
    EXPECT_TRUE(platform.created[1].fullscreen);
    EXPECT_FALSE(platform.created[2].fullscreen);
    EXPECT_EQ(platform.created[2].width, 640);
    EXPECT_EQ(program.inits, 3);
    EXPECT_EQ(program.deinits, 3);
    // The cursor hides for the full-screen window and comes back with the desktop mode.
    EXPECT_EQ(platform.cursor_shown, std::vector<bool>({false, true}));
    EXPECT_EQ(std::count(platform.log.begin(), platform.log.end(), "restore_display_mode"), 1);
    // The raw mice start once per run, not per window.
    EXPECT_EQ(FakeRawMouse::get().calls, std::vector<std::string>({"init 001", "release"}));
    EXPECT_EQ(program.allocated_for, 2);
    EXPECT_EQ(program.key_events.size(), 3u);
}

TEST_F(LoopTest, InitFailingOnARebuildEndsTheProgram) {
    program.init_results = {true, false};
    platform.script = {key_down(1020, VK_F1)};
    EXPECT_EQ(run(Deliverable::glimbo), 0);
    EXPECT_EQ(program.inits, 2);
    EXPECT_EQ(platform.created.size(), 2u);
    EXPECT_EQ(program.deinits, 2);
    EXPECT_EQ(std::count(platform.log.begin(), platform.log.end(), "destroy_window"), 2);
    EXPECT_EQ(program.updates, std::vector<uint32_t>({16})); // only the first window ran
    EXPECT_TRUE(platform.boxes.empty());
}

TEST_F(LoopTest, RegistrationFailureShowsTwoBoxesAndExitsMinusOne) {
    platform.register_ok = false;
    EXPECT_EQ(run(Deliverable::leveledit), -1);
    const std::vector<ShownBox> boxes = {
        {"RegisterClassEx Failed!", "Error", MessageBoxIcon::exclamation},
        {"Error Registering Window Class!", "Error", MessageBoxIcon::exclamation}};
    EXPECT_EQ(platform.boxes, boxes);
    EXPECT_TRUE(platform.created.empty());
}

TEST_F(LoopTest, MissingRawInputEndsTheGamesBeforeAnyWindow) {
    FakeRawMouse::get().init_result = 0;
    EXPECT_EQ(run(Deliverable::ropegame), 0);
    const std::vector<ShownBox> boxes = {
        {"RawInput not supported by Operating System.  Exiting.", "Error!", MessageBoxIcon::none}};
    EXPECT_EQ(platform.boxes, boxes);
    EXPECT_TRUE(platform.created.empty());
    EXPECT_EQ(program.allocated_for, -1);
}

TEST_F(LoopTest, WindowCreationFailureIsReportedAndEndsNormally) {
    platform.fail_window = true;
    EXPECT_EQ(run(Deliverable::mygame2), 0);
    ASSERT_EQ(platform.boxes.size(), 1u);
    EXPECT_EQ(platform.boxes[0].text, "Error Creating OpenGL Window");
    EXPECT_EQ(program.inits, 0);
    EXPECT_EQ(program.deinits, 0);
}

TEST_F(LoopTest, FailedContextReleasesWhatWasAcquiredInReverse) {
    platform.fail_current = true;
    EXPECT_EQ(run(Deliverable::leveledit), 0);
    const std::vector<std::string> expected = {
        "register OpenGL", "create_window", "create_context", "make_current",
        "delete_context",  "release_dc",    "destroy_window", "unregister OpenGL"};
    EXPECT_EQ(platform.log, expected);
}

TEST_F(LoopTest, RefusedDisplayModeFallsBackToAWindowWithAWarning) {
    platform.display_mode_ok = false;
    platform.script = {key_down(1005, VK_F1), key_down(2005, VK_ESCAPE)};
    ASSERT_EQ(run(Deliverable::ropegame), 0);
    ASSERT_EQ(platform.boxes.size(), 1u);
    EXPECT_EQ(platform.boxes[0].text, "Mode Switch Failed.\nRunning In Windowed Mode.");
    ASSERT_EQ(platform.created.size(), 2u);
    EXPECT_FALSE(platform.created[1].fullscreen);
    EXPECT_EQ(platform.created[1].width, 800);
    // No display mode was changed, so none is restored.
    EXPECT_EQ(std::count(platform.log.begin(), platform.log.end(), "restore_display_mode"), 0);
}

} // namespace
