// The frame on a scripted platform: each program's window, pacing and window procedure,
// minimising, the full-screen rebuild, and the failures that end a program.
#include "fake_platform.h"
#include "frame/window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ranges>
#include <tuple>

namespace {

// A program whose hooks keep what the frame handed them.
struct Program {
    FakePlatform platform;
    ProgramHooks hooks;
    int failing_init = 0; // counted from 1; 0: every init succeeds
    int inits = 0;
    KeyTable* table = nullptr; // the key table the last init was handed
    std::vector<long> held;    // keys held in it at each init and deinit
    std::vector<uint32_t> updates;
    int draws = 0;
    std::vector<std::pair<uint32_t, bool>> key_events;
    std::vector<std::array<int, 7>> mouse_inputs; // mouse, x, y, wheel, left, right, middle
    int32_t center_x = -1, center_y = -1;
    uint8_t paused = 0, left = 0, right = 0;

    Program() {
        hooks.program_init = [this](GlWindow&, KeyTable& keys) {
            platform.log.push_back("init");
            table = &keys;
            held.push_back(std::ranges::count(keys.down, 1));
            return ++inits != failing_init;
        };
        hooks.program_update = [this](uint32_t ms) { updates.push_back(ms); };
        hooks.program_draw = [this] { ++draws; };
        hooks.program_deinit = [this] {
            platform.log.push_back("deinit");
            held.push_back(std::ranges::count(table->down, 1));
        };
        hooks.allocate_players = [this](int count) {
            platform.log.push_back("players " + std::to_string(count));
        };
        hooks.key_event = [this](uint32_t vk, bool down) { key_events.emplace_back(vk, down); };
        hooks.player_mouse_input = [this](int m, int x, int y, int w, bool l, bool r, bool mid) {
            mouse_inputs.push_back({m, x, y, w, l, r, mid});
        };
        hooks.raw_mouse = fake_raw_mouse_calls(platform.log);
        hooks.screen_center_x = &center_x;
        hooks.screen_center_y = &center_y;
        hooks.paused = &paused;
        hooks.left_button_down = &left;
        hooks.right_button_down = &right;
    }
    int run(Deliverable d) { return run_program(settings_for(d), hooks, platform); }
};

ScriptedMessage key_down(uint32_t at, uint32_t vk) {
    return {at, WM_KEYDOWN, vk, 0};
}

Log cat(std::initializer_list<Log> parts) {
    const auto all = parts | std::views::join;
    return {all.begin(), all.end()};
}

// Each program's window, and its pacing: the games wait for 16 ms with 1 ms sleeps and hand
// over the whole gap, the prototypes spin for 17 ms, the editors run a frame on every pass.
// While minimised no frame runs and nothing spins; the first frame after it gets the gap.
TEST(Loop, EachProgramsWindowAndPacing) {
    using Window = std::tuple<Deliverable, const char*, const char*>; // title, request as logged
    struct Pacing {
        uint32_t start, tick_step; // the clock moves by tick_step at every read
        std::deque<ScriptedMessage> script;
        std::vector<uint32_t> updates;
        int sleeps, swaps;
    };
    const ScriptedMessage minimise = {1020, WM_SIZE, SIZE_MINIMIZED, 0};
    const ScriptedMessage restore = {5000, WM_SIZE, SIZE_RESTORED, make_lparam(640, 480)};
    const std::pair<Window, Pacing> rows[] = {
        // Minimised from 1020 to 5000: a frame at 1016, then 5001 - 1016 at once; 20 sleeps
        // before and 3 after.
        {{Deliverable::glimbo, "Tethro Game, on Kavo framework", "window 640x480x16 single"},
         {1000, 0, {minimise, restore, key_down(5003, VK_ESCAPE)}, {16, 3985}, 20 + 3, 0}},
        {{Deliverable::ropegame, "Tethro game - on the kavo framework", "window 800x600x32"},
         {1000, 0, {key_down(1040, VK_ESCAPE)}, {16, 16}, 40, 2}},
        {{Deliverable::leveledit, "Kavo's New GL Framework", "window 640x480x16"},
         {1000, 3, {key_down(1009, VK_ESCAPE)}, {3, 3}, 0, 2}},
        {{Deliverable::mygame1, "Kavo's New GL Framework", "window 640x480x16"},
         {1000, 1, {key_down(1040, VK_ESCAPE)}, {17, 17}, 0, 2}},
    };
    for (const auto& [window, pacing] : rows) {
        const auto& [program, title, request] = window;
        SCOPED_TRACE(request);
        Program p;
        p.platform.now = pacing.start;
        p.platform.tick_step = pacing.tick_step;
        p.platform.script = pacing.script;
        ASSERT_EQ(p.run(program), 0);
        EXPECT_EQ(p.platform.titles.at(0), title);
        EXPECT_EQ(std::ranges::count(p.platform.log, request), 1);
        EXPECT_EQ(p.updates, pacing.updates);
        EXPECT_EQ(p.draws, int(pacing.updates.size()));
        EXPECT_EQ(p.platform.sleeps, pacing.sleeps);
        EXPECT_EQ(p.platform.swaps, pacing.swaps);
    }
}

// ropegame with F1 pressed at the given ticks and Escape at 1300, and the keys held in the
// table at each init and deinit: each deinit finds the F1 or Escape that ended its window,
// each init a cleared table.
void run_ropegame(Program& p, std::vector<uint32_t> f1_at, std::vector<long> held) {
    for (uint32_t at : f1_at) {
        p.platform.script.push_back(key_down(at, VK_F1));
    }
    p.platform.script.push_back(key_down(1300, VK_ESCAPE));
    EXPECT_EQ(p.run(Deliverable::ropegame), 0);
    EXPECT_EQ(p.held, held);
}

// One window's life in ropegame, from its request to its destruction.
Log life(const char* request) {
    return {request,  "context",      "current",        "show",       "cursor off", "init",
            "deinit", "none current", "delete context", "release dc", "destroy"};
}

// F1 rebuilds the window in the other mode and runs the program's init again; the raw mice
// start and stop once per run.
TEST(Loop, FullScreenRebuilds) {
    const Log start = {"register OpenGL", "raw init 001", "players 2"};
    const Log end = {"raw release", "unregister OpenGL"};
    const Log windowed = life("window 800x600x32");
    const Log full = life("window 800x600x32 full screen");
    const Log to_full = {"mode 800x600x32", "cursor off"};
    const Log back = {"restore mode", "cursor on"};

    Program twice;
    run_ropegame(twice, {1100, 1200}, {0, 1, 0, 1, 0, 1});
    EXPECT_EQ(twice.platform.log, cat({start, windowed, to_full, full, back, windowed, end}));
    EXPECT_EQ(twice.updates.size(), 18u);

    // A refused mode falls back to a window of the same size.
    Program refused;
    refused.platform.fail = "mode";
    run_ropegame(refused, {1100}, {0, 1, 0, 1});
    const Log warning = {"mode 800x600x32",
                         "warning Error: Mode Switch Failed.\nRunning In Windowed Mode."};
    EXPECT_EQ(refused.platform.log, cat({start, windowed, warning, windowed, end}));

    // An init that fails on the rebuild ends the program.
    Program failing;
    failing.failing_init = 2;
    run_ropegame(failing, {1100}, {0, 1, 0, 0});
    EXPECT_EQ(failing.platform.log, cat({start, windowed, to_full, full, back, end}));
}

// Failures that end a program before its first frame: the exit code and the log.
TEST(Loop, FailuresShowTheirBoxes) {
    // The call that fails ("raw": the raw-mouse start) in which program, and the log. Only a
    // failed registration ends with an exit code other than 0.
    const std::pair<std::pair<std::string, Deliverable>, Log> rows[] = {
        {{"register", Deliverable::leveledit},
         {"register OpenGL", "warning Error: RegisterClassEx Failed!",
          "warning Error: Error Registering Window Class!"}},
        {{"raw", Deliverable::ropegame},
         {"register OpenGL", "raw init 001",
          "box Error!: RawInput not supported by Operating System.  Exiting."}},
        {{"raw", Deliverable::glimbo},
         {"register OpenGL", "raw init 001",
          "box Error!: Yo umm.. error - you need win xp, soz dude"}},
        {{"window", Deliverable::mygame2},
         {"register OpenGL", "window 640x480x16", "warning Error: Error Creating OpenGL Window",
          "unregister OpenGL"}},
    };
    for (const auto& [failure, log] : rows) {
        const auto& [fail, program] = failure;
        SCOPED_TRACE(log.back());
        Program p;
        p.platform.fail = fail;
        fake_raw_mouse.init_result = fail == "raw" ? 0 : 1;
        EXPECT_EQ(p.run(program), fail == "register" ? -1 : 0);
        EXPECT_EQ(p.platform.log, log);
    }
}

// One program's window procedure, driven as the message dispatch drives it.
struct Proc : Program {
    FrameSettings settings;
    KeyTable keys;
    GlWindow window;
    FrameContext frame{platform, settings, hooks, 1};

    explicit Proc(Deliverable d) : settings(settings_for(d)) {
        window.keys = &keys;
        window.hwnd = reinterpret_cast<WindowHandle>(uintptr_t{16});
        window.active = 1;
        send(WM_CREATE, 0, reinterpret_cast<intptr_t>(&window));
    }
    intptr_t send(uint32_t message, uintptr_t wparam = 0, intptr_t lparam = 0) {
        return window_proc(frame, Message{window.hwnd, message, wparam, lparam});
    }
};

// What each variant of the window procedure does with one sequence of messages: glimbo's,
// ropegame's, and the one of the editors and prototypes.
TEST(WindowProc, EveryVariant) {
    for (const Deliverable program :
         {Deliverable::glimbo, Deliverable::ropegame, Deliverable::mygame1}) {
        SCOPED_TRACE(int(program));
        const bool glimbo = program == Deliverable::glimbo;
        const bool rope = program == Deliverable::ropegame;
        const bool game = glimbo || rope; // F1 switches, mice are polled, the centre is kept
        const std::pair<int32_t, int32_t> none = {-1, -1};
        Proc p(program);

        // Codes above 255 are no keys; every other key reaches the table or (in glimbo)
        // only the key hook, which hears every key.
        p.send(WM_KEYDOWN, 256);
        EXPECT_EQ(p.send(WM_KEYDOWN, 'W'), 0);
        EXPECT_EQ(p.keys['W'], !glimbo);
        EXPECT_EQ(p.send(WM_KEYUP, 'W'), 0);
        EXPECT_EQ(p.keys['W'], 0);

        // P pauses ropegame with the cursor shown; a restore makes the window active again
        // but leaves it paused, and P again resumes with the cursor hidden.
        p.send(WM_KEYDOWN, 'P');
        EXPECT_EQ(p.paused, rope);
        EXPECT_EQ(p.window.active, !rope);
        EXPECT_EQ(p.send(WM_SIZE, SIZE_RESTORED, make_lparam(800, 600)), 0);
        EXPECT_EQ(p.window.active, 1);
        EXPECT_EQ(p.paused, rope);
        EXPECT_EQ(std::pair(p.center_x, p.center_y), game ? std::pair(400, 300) : none);
        p.send(WM_KEYDOWN, 'P');
        EXPECT_EQ(p.paused, 0);
        EXPECT_EQ(p.window.active, 1);

        // F1 rebuilds the games in the other mode; the application message does it in every
        // program. Both post a quit (counted at the end), the only message the frame posts.
        p.send(WM_KEYDOWN, VK_F1);
        EXPECT_EQ(p.frame.fullscreen_request, game);
        p.send(WM_USER + 1);
        EXPECT_EQ(p.frame.fullscreen_request, !game);

        // The editors keep the held buttons.
        std::vector<std::pair<int, int>> held;
        for (uint32_t m : {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONUP}) {
            p.send(m, 0, make_lparam(10, 20));
            held.emplace_back(p.left, p.right);
        }
        const decltype(held) kept = {{1, 0}, {1, 1}, {0, 1}, {0, 0}};
        EXPECT_EQ(held, game ? decltype(held)(4) : kept);

        EXPECT_EQ(p.send(WM_SIZE, SIZE_MAXIMIZED, make_lparam(641, 481)), 0);
        EXPECT_EQ(std::pair(p.center_x, p.center_y), game ? std::pair(320, 240) : none);
        EXPECT_EQ(p.send(WM_SIZE, SIZE_MINIMIZED, 0), 0);
        EXPECT_EQ(p.window.active, 0);
        p.send(WM_SIZE, 4, 0); // a kind the frame leaves alone
        EXPECT_EQ(p.platform.projections,
                  (std::vector<std::pair<int, int>>{{800, 600}, {641, 481}}));

        // Every mouse is polled on a raw-input message, whichever mouse produced it.
        fake_raw_mouse.count = 3;
        fake_raw_mouse.mice[1] = {3, -4, 1, 1, 0, 1};
        fake_raw_mouse.mice[2] = {0, 0, 0, 0, 1, 0};
        p.send(WM_INPUT, 0, 0x1234);
        const std::vector<std::array<int, 7>> passes = {
            {0, 0, 0, 0, 0, 0, 0}, {1, 3, -4, 1, 1, 0, 1}, {2, 0, 0, 0, 0, 1, 0}};
        EXPECT_EQ(p.mouse_inputs, game ? passes : decltype(passes){});

        // Closing and Escape both end the program.
        EXPECT_EQ(p.send(WM_CLOSE), 0);
        EXPECT_EQ(p.frame.running, 0);
        EXPECT_EQ(p.send(WM_KEYDOWN, VK_ESCAPE), 0);
        EXPECT_EQ(p.platform.posted.size(), game + 3);
        const std::vector<std::pair<uint32_t, bool>> heard = {
            {'W', true}, {'W', false}, {'P', true}, {'P', true}, {VK_F1, true}, {VK_ESCAPE, true}};
        EXPECT_EQ(p.key_events, heard);

        const Log cursor = {"cursor on", "cursor off"}, raw = {"raw input 4660"};
        EXPECT_EQ(p.platform.log, cat({rope ? cursor : Log{}, game ? raw : Log{}}));
    }
}

} // namespace
