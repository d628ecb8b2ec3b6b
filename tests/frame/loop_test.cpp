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

// Pacing by program: the games wait for 16 ms with 1 ms sleeps and hand over the whole
// gap, the prototypes spin for 17 ms, the editors draw on every pass.
TEST_F(LoopTest, PacingByProgram) {
    struct Row {
        Deliverable program;
        std::vector<uint32_t> ticks; // scripted clock; empty: the fake's own steps
        uint32_t tick_step, escape_at;
        std::vector<uint32_t> updates;
        int draws, sleeps, swaps;
    };
    const Row rows[] = {
        {Deliverable::glimbo, {1000, 1010, 1018}, 0, 1018, {18}, 1, 2, 0}, // single-buffered
        {Deliverable::glimbo, {0xFFFFFFF0u, 2}, 0, 2, {18}, 1, -1, 0},     // tick wrap
        {Deliverable::ropegame, {}, 0, 1040, {16, 16}, 2, -1, 2},
        {Deliverable::mygame1, {}, 1, 1040, {17, 17}, 2, 0, 2},
        {Deliverable::mygameedit, {}, 2, 1010, {2, 2, 2, 2}, 4, 0, -1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(int(row.program));
        FakePlatform p;
        Program prog(p);
        p.tick_script.assign(row.ticks.begin(), row.ticks.end());
        if (row.tick_step)
            p.tick_step = row.tick_step;
        p.script = {key_down(row.escape_at, VK_ESCAPE)};
        ASSERT_EQ(run_program(settings_for(row.program), prog.hooks, p), 0);
        EXPECT_EQ(prog.updates, row.updates);
        EXPECT_EQ(prog.draws, row.draws);
        if (row.sleeps >= 0) {
            EXPECT_EQ(p.sleeps, row.sleeps);
        }
        if (row.swaps >= 0) {
            EXPECT_EQ(p.swaps, row.swaps);
            EXPECT_EQ(p.created[0].double_buffer, row.swaps > 0);
        }
    }
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

// Failures that a program reports in a box: the exit code, the boxes and the windows made.
TEST_F(LoopTest, FailuresShowTheirBoxes) {
    struct Row {
        Deliverable program;
        void (*arrange)(FakePlatform&);
        int exit_code;
        std::vector<ShownBox> boxes;
        size_t windows;
    };
    const auto exclamation = MessageBoxIcon::exclamation;
    const Row rows[] = {
        {Deliverable::leveledit, [](FakePlatform& p) { p.register_ok = false; }, -1,
         {{"RegisterClassEx Failed!", "Error", exclamation},
          {"Error Registering Window Class!", "Error", exclamation}}, 0},
        {Deliverable::ropegame, [](FakePlatform&) { FakeRawMouse::get().init_result = 0; }, 0,
         {{"RawInput not supported by Operating System.  Exiting.", "Error!",
           MessageBoxIcon::none}}, 0},
        {Deliverable::mygame2, [](FakePlatform& p) { p.fail_window = true; }, 0,
         {{"Error Creating OpenGL Window", "Error", exclamation}}, 1},
        // A refused display mode falls back to a window of the same size.
        {Deliverable::ropegame, [](FakePlatform& p) {
             p.display_mode_ok = false;
             p.script = {key_down(1005, VK_F1), key_down(2005, VK_ESCAPE)};
         }, 0, {{"Mode Switch Failed.\nRunning In Windowed Mode.", "Error", exclamation}}, 2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.boxes[0].text);
        FakeRawMouse::reset();
        FakePlatform p;
        Program prog(p);
        row.arrange(p);
        EXPECT_EQ(run_program(settings_for(row.program), prog.hooks, p), row.exit_code);
        EXPECT_EQ(p.boxes, row.boxes);
        ASSERT_EQ(p.created.size(), row.windows);
        for (const WindowRequest& w : p.created)
            EXPECT_FALSE(w.fullscreen);
        EXPECT_EQ(std::count(p.log.begin(), p.log.end(), "restore_display_mode"), 0);
        if (row.windows == 0) {
            EXPECT_EQ(prog.allocated_for, -1);
        }
    }
}

// F1 rebuilds the window; an init that fails on the rebuild ends the program.
TEST_F(LoopTest, InitFailingOnARebuildEndsTheProgram) {
    program.init_results = {true, false};
    platform.script = {key_down(1020, VK_F1)};
    EXPECT_EQ(run(Deliverable::glimbo), 0);
    EXPECT_EQ(program.inits, 2);
    EXPECT_EQ(platform.created.size(), 2u);
    EXPECT_EQ(program.deinits, 2);
    EXPECT_EQ(program.updates, std::vector<uint32_t>({16})); // only the first window ran
    EXPECT_TRUE(platform.boxes.empty());
}

TEST_F(LoopTest, FailedContextReleasesWhatWasAcquiredInReverse) {
    platform.fail_current = true;
    EXPECT_EQ(run(Deliverable::leveledit), 0);
    const std::vector<std::string> expected = {
        "register OpenGL", "create_window", "create_context", "make_current",
        "delete_context",  "release_dc",    "destroy_window", "unregister OpenGL"};
    EXPECT_EQ(platform.log, expected);
}

} // namespace
