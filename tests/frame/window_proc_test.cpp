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

// What each program's window procedure does with keys, F1, P, the full-screen message,
// button messages, raw input and a new size, one row a program.
TEST_F(WindowProcTest, EveryProgramsVariant) {
    struct Row {
        Deliverable program;
        bool keys_to_program, p_pauses, f1_switches, raw_mouse, buttons, centre;
    };
    const Row rows[] = {
        {Deliverable::glimbo, true, false, true, true, false, true},
        {Deliverable::ropegame, false, true, true, true, false, true},
        {Deliverable::leveledit, false, false, false, false, true, false},
        {Deliverable::mygameedit, false, false, false, false, true, false},
        {Deliverable::mygame1, false, false, false, false, true, false},
        {Deliverable::mygame2, false, false, false, false, true, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(int(row.program));
        key_events.clear();
        mouse_inputs.clear();
        platform.posted.clear();
        platform.passed_on.clear();
        platform.cursor_shown.clear();
        paused = left = right = 0;
        center_x = center_y = -1;
        start(row.program);
        FakeRawMouse::get().count = 1;
        FakeRawMouse::get().mice[0] = {3, -4, 1, {1, 0, 0}};

        // Codes above 255 index no table and go to the default procedure.
        EXPECT_EQ(send(WM_KEYDOWN, 300), platform.default_result);
        EXPECT_EQ(send(WM_KEYDOWN, 'W'), 0);
        EXPECT_EQ(keys['W'], row.keys_to_program ? 0 : 1);
        send(WM_KEYUP, 'W');
        EXPECT_EQ(keys['W'], 0);
        EXPECT_EQ(key_events.size(), 2u); // a program with a key hook hears every key

        send(WM_KEYDOWN, 'P');
        EXPECT_EQ(paused, row.p_pauses);
        EXPECT_EQ(window.active, !row.p_pauses);
        send(WM_KEYUP, 'P');
        if (row.p_pauses) {
            send(WM_KEYDOWN, 'P');
            EXPECT_EQ(paused, 0);
            EXPECT_EQ(window.active, 1);
            EXPECT_EQ(platform.cursor_shown, std::vector<bool>({true, false}));
        }

        send(WM_KEYDOWN, VK_F1);
        EXPECT_EQ(frame->fullscreen_request, row.f1_switches);
        EXPECT_EQ(quit_posted(), row.f1_switches);
        EXPECT_EQ(frame->running, 1); // a rebuild, not an end
        send(WM_KEYUP, VK_F1);
        // The application message switches full screen in every program.
        platform.passed_on.clear();
        send(WM_USER + 1);
        EXPECT_EQ(frame->fullscreen_request, !row.f1_switches);
        EXPECT_TRUE(quit_posted());
        EXPECT_EQ(platform.passed_on.size(), 1u);

        EXPECT_EQ(send(WM_LBUTTONDOWN, 0, make_lparam(10, 20)), platform.default_result);
        send(WM_RBUTTONDOWN);
        EXPECT_EQ(left + right, row.buttons ? 2 : 0);
        send(WM_LBUTTONUP);
        EXPECT_EQ(left, 0);
        EXPECT_EQ(right, row.buttons);
        send(WM_RBUTTONUP);
        EXPECT_EQ(right, 0);

        EXPECT_EQ(send(WM_INPUT, 0, 0x1234), platform.default_result);
        EXPECT_EQ(mouse_inputs.size(), row.raw_mouse ? 1u : 0u);

        EXPECT_EQ(send(WM_SIZE, SIZE_MAXIMIZED, make_lparam(641, 481)), 0);
        EXPECT_EQ(platform.projections.back(), std::make_pair(641, 481));
        EXPECT_EQ(center_x, row.centre ? 320 : -1);
        EXPECT_EQ(center_y, row.centre ? 240 : -1);

        EXPECT_EQ(send(WM_SIZE, SIZE_MINIMIZED, 0), 0);
        EXPECT_EQ(window.active, 0);
        EXPECT_EQ(send(WM_SYSCOMMAND, SC_SCREENSAVE), 0); // swallowed, as is monitor power
        EXPECT_EQ(send(WM_SYSCOMMAND, SC_MONITORPOWER), 0);
        EXPECT_EQ(send(WM_KEYDOWN, VK_ESCAPE), 0);
        EXPECT_TRUE(quit_posted());
        EXPECT_EQ(frame->running, 0);
        if (row.keys_to_program) {
            EXPECT_EQ(key_events.back(), std::make_pair(uint32_t(VK_ESCAPE), true));
        }
    }
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
}

} // namespace
