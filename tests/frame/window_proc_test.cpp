// The three window procedures: window state, key tables, frame actions, the editors'
// button flags and the raw-mouse pass.
#include "fake_platform.h"
#include "fake_raw_mouse.h"
#include "frame/window.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class WindowProcTest : public ::testing::Test {
  protected:
    FakePlatform platform;
    FrameSettings settings;
    ProgramHooks hooks;
    KeyTable keys;
    GlWindow window;
    int32_t center_x = -1, center_y = -1;
    uint8_t paused = 0, left = 0, right = 0;
    std::vector<std::pair<uint32_t, bool>> key_events;
    struct MouseInput {
        int mouse, x, y, wheel;
        bool left, right, middle;
        bool operator==(const MouseInput&) const = default;
    };
    std::vector<MouseInput> mouse_inputs;
    std::unique_ptr<FrameContext> frame;

    void start(Deliverable d) {
        FakeRawMouse::reset();
        settings = settings_for(d);
        hooks.key_event = [this](uint32_t vk, bool down) { key_events.emplace_back(vk, down); };
        hooks.player_mouse_input = [this](int m, int x, int y, int w, bool l, bool r, bool mid) {
            mouse_inputs.push_back({m, x, y, w, l, r, mid});
        };
        hooks.raw_mouse = FakeRawMouse::calls_table();
        hooks.screen_center_x = &center_x;
        hooks.screen_center_y = &center_y;
        hooks.paused = &paused;
        hooks.left_button_down = &left;
        hooks.right_button_down = &right;
        frame = std::make_unique<FrameContext>(FrameContext{platform, settings, hooks});
        frame->running = 1;
        window.keys = &keys;
        window.hwnd = reinterpret_cast<WindowHandle>(uintptr_t{16});
        window.active = 1;
        send(WM_CREATE, 0, reinterpret_cast<intptr_t>(&window));
    }
    intptr_t send(uint32_t message, uintptr_t wparam = 0, intptr_t lparam = 0) {
        return window_proc(*frame, Message{window.hwnd, message, wparam, lparam});
    }
    bool quit_posted() const {
        return !platform.posted.empty() && platform.posted.back().message == WM_QUIT;
    }
    bool keys_all_zero() const {
        return std::ranges::all_of(keys.down, [](int32_t k) { return k == 0; });
    }
};

TEST_F(WindowProcTest, KeyCodesAbove255AreIgnoredAndPassedOn) {
    for (Deliverable d : {Deliverable::glimbo, Deliverable::ropegame, Deliverable::leveledit}) {
        start(d);
        platform.passed_on.clear();
        EXPECT_EQ(send(WM_KEYDOWN, 300), platform.default_result);
        EXPECT_EQ(send(WM_KEYUP, 300), platform.default_result);
        EXPECT_EQ(platform.passed_on.size(), 2u);
        EXPECT_TRUE(keys_all_zero());
        EXPECT_TRUE(key_events.empty());
    }
}

TEST_F(WindowProcTest, GlimboHandsKeysToItsOwnTableAndRecordsEscapeBeforeQuitting) {
    start(Deliverable::glimbo);
    EXPECT_EQ(send(WM_KEYDOWN, 'W'), 0);
    EXPECT_EQ(send(WM_KEYUP, 'W'), 0);
    EXPECT_EQ(send(WM_KEYDOWN, VK_ESCAPE), 0);
    const std::vector<std::pair<uint32_t, bool>> expected = {
        {'W', true}, {'W', false}, {VK_ESCAPE, true}};
    EXPECT_EQ(key_events, expected);
    EXPECT_TRUE(keys_all_zero()); // the frame's table stays untouched in glimbo
    EXPECT_TRUE(quit_posted());
    EXPECT_EQ(frame->running, 0);
}

TEST_F(WindowProcTest, F1SwitchesTheGamesButIsOnlyRecordedInTheEditors) {
    start(Deliverable::leveledit);
    EXPECT_EQ(send(WM_KEYDOWN, VK_F1), 0);
    EXPECT_EQ(keys[VK_F1], 1);
    EXPECT_FALSE(quit_posted());
    EXPECT_EQ(frame->fullscreen_request, 0);

    start(Deliverable::ropegame);
    send(WM_KEYDOWN, VK_F1);
    EXPECT_EQ(keys[VK_F1], 1);
    EXPECT_TRUE(quit_posted());
    EXPECT_EQ(frame->fullscreen_request, 1);
    EXPECT_EQ(frame->running, 1); // a rebuild, not an end
    send(WM_KEYUP, VK_F1);
    EXPECT_EQ(keys[VK_F1], 0);
}

TEST_F(WindowProcTest, ApplicationMessageTogglesFullScreenInEveryVariant) {
    for (Deliverable d : {Deliverable::glimbo, Deliverable::ropegame, Deliverable::mygame1}) {
        start(d);
        platform.posted.clear();
        platform.passed_on.clear();
        send(WM_USER + 1);
        EXPECT_EQ(frame->fullscreen_request, 1);
        EXPECT_TRUE(quit_posted());
        EXPECT_EQ(platform.passed_on.size(), 1u);
        send(WM_USER + 1);
        EXPECT_EQ(frame->fullscreen_request, 0);
    }
}

TEST_F(WindowProcTest, RopegamePausesWithCursorShownAndResumesWithItHidden) {
    start(Deliverable::ropegame);
    send(WM_KEYDOWN, 'P');
    EXPECT_EQ(paused, 1);
    EXPECT_EQ(window.active, 0);
    send(WM_KEYUP, 'P');
    send(WM_KEYDOWN, 'P');
    EXPECT_EQ(paused, 0);
    EXPECT_EQ(window.active, 1);
    EXPECT_EQ(platform.cursor_shown, std::vector<bool>({true, false}));

    // A restore makes the window active again but leaves the pause alone.
    send(WM_KEYDOWN, 'P');
    send(WM_SIZE, SIZE_RESTORED, make_lparam(800, 600));
    EXPECT_EQ(window.active, 1);
    EXPECT_EQ(paused, 1);
}

TEST_F(WindowProcTest, SizeMessagesFollowMinimiseRestoreAndMaximise) {
    start(Deliverable::glimbo);
    EXPECT_EQ(send(WM_SIZE, SIZE_MINIMIZED, 0), 0);
    EXPECT_EQ(window.active, 0);
    EXPECT_TRUE(platform.projections.empty());
    EXPECT_EQ(send(WM_SIZE, SIZE_MAXIMIZED, make_lparam(641, 481)), 0);
    EXPECT_EQ(window.active, 1);
    EXPECT_EQ(platform.projections.back(), std::make_pair(641, 481));
    EXPECT_EQ(center_x, 320);
    EXPECT_EQ(center_y, 240);
    // Other kinds go to the default procedure.
    EXPECT_EQ(send(WM_SIZE, 3, make_lparam(10, 10)), platform.default_result);
    EXPECT_EQ(platform.projections.size(), 1u);

    // The editors get the projection but keep no centre.
    start(Deliverable::mygame1);
    center_x = center_y = -1;
    send(WM_SIZE, SIZE_RESTORED, make_lparam(800, 600));
    EXPECT_EQ(center_x, -1);
}

TEST_F(WindowProcTest, ScreenSaverAndMonitorPowerAreSwallowedAndCloseQuits) {
    start(Deliverable::mygame2);
    EXPECT_EQ(send(WM_SYSCOMMAND, SC_SCREENSAVE), 0);
    EXPECT_EQ(send(WM_SYSCOMMAND, SC_MONITORPOWER), 0);
    EXPECT_EQ(send(WM_SYSCOMMAND, 0xF020), platform.default_result); // minimise command
    EXPECT_EQ(platform.passed_on.size(), 1u);
    EXPECT_EQ(send(WM_CLOSE), 0);
    EXPECT_TRUE(quit_posted());
    EXPECT_EQ(frame->running, 0);
}

TEST_F(WindowProcTest, EditorButtonFlagsFollowTheLastButtonMessage) {
    start(Deliverable::leveledit);
    EXPECT_EQ(send(WM_LBUTTONDOWN, 0, make_lparam(10, 20)), platform.default_result);
    send(WM_RBUTTONDOWN);
    EXPECT_EQ(left + right, 2);
    send(WM_LBUTTONUP);
    EXPECT_EQ(left, 0);
    EXPECT_EQ(right, 1);
    send(WM_RBUTTONUP);
    EXPECT_EQ(right, 0);

    // The games do not track them.
    start(Deliverable::glimbo);
    send(WM_LBUTTONDOWN);
    EXPECT_EQ(left, 0);
}

TEST_F(WindowProcTest, RawInputPollsEveryMouseOnEveryMessage) {
    start(Deliverable::glimbo);
    auto& raw = FakeRawMouse::get();
    raw.count = 3;
    raw.mice[1] = {3, -4, 1, {1, 0, 1}};
    raw.mice[2].buttons = {0, 1, 0};

    EXPECT_EQ(send(WM_INPUT, 0, 0x1234), platform.default_result);
    EXPECT_EQ(raw.handled, std::vector<uintptr_t>({0x1234}));
    const std::vector<MouseInput> first_pass = {{0, 0, 0, 0, false, false, false},
                                                {1, 3, -4, 1, true, false, true},
                                                {2, 0, 0, 0, false, true, false}};
    EXPECT_EQ(mouse_inputs, first_pass);

    // A second message, even one whose event is lost, polls again: motion was taken,
    // buttons are still held.
    mouse_inputs.clear();
    send(WM_INPUT, 0, 0);
    const std::vector<MouseInput> second_pass = {{0, 0, 0, 0, false, false, false},
                                                 {1, 0, 0, 0, true, false, true},
                                                 {2, 0, 0, 0, false, true, false}};
    EXPECT_EQ(mouse_inputs, second_pass);

    // The editors have no raw-mouse pass.
    start(Deliverable::leveledit);
    mouse_inputs.clear();
    send(WM_INPUT, 0, 0x1234);
    EXPECT_TRUE(mouse_inputs.empty());
}

} // namespace

namespace {

class GlWindowTest : public ::testing::Test {
  protected:
    FakePlatform platform;
    FrameSettings settings = settings_for(Deliverable::ropegame);
    ProgramHooks hooks;
    FrameContext frame{platform, settings, hooks};
    KeyTable keys;
    GlWindow window;

    void SetUp() override {
        window.keys = &keys;
        window.width = 800;
        window.height = 600;
    }
};

TEST_F(GlWindowTest, FailedFullScreenCreationGivesTheDisplayModeBack) {
    window.fullscreen = 1;
    platform.fail_context = true;
    EXPECT_FALSE(create_gl_window(frame, window));
    EXPECT_EQ(window.hwnd, nullptr);
    EXPECT_EQ(frame.user_data, nullptr);
    EXPECT_EQ(platform.log.back(), "restore_display_mode");
    EXPECT_EQ(platform.cursor_shown, std::vector<bool>({false, true}));
}

TEST_F(GlWindowTest, CreationReadiesTheWindowAndDestroyingIsHarmlessTwice) {
    keys['A'] = 1;
    platform.now = 4242;
    ASSERT_TRUE(create_gl_window(frame, window));
    EXPECT_EQ(frame.user_data, &window);
    EXPECT_EQ(window.active, 1);
    EXPECT_EQ(window.last_tick_ms, 4242u);
    EXPECT_EQ(keys['A'], 0);
    EXPECT_EQ(platform.projections.back(), std::make_pair(800, 600));
    EXPECT_EQ(platform.cursor_shown, std::vector<bool>({false})); // ropegame hides it

    EXPECT_TRUE(destroy_gl_window(frame, window));
    const size_t after_first = platform.log.size();
    EXPECT_TRUE(destroy_gl_window(frame, window));
    EXPECT_EQ(platform.log.size(), after_first);
    EXPECT_EQ(window.hwnd, nullptr);
}

} // namespace
