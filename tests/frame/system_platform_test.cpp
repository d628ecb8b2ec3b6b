// The SDL2/X11 layer under the frame: the key table, message boxes with no display, and a
// whole program run on the real platform with SDL's offscreen driver and a real GL context.
#include "frame/frame.h"
#include "frame/frame_platform.h"
#include "frame/gl_projection.h"
#include "platform/clock.h"
#include "platform/cursor.h"
#include "platform/message_box.h"
#include "platform/message_queue.h"
#include "platform/virtual_keys.h"

#include "platform/window.h"

#include <GL/gl.h>
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

TEST(VirtualKeys, MapTheKeysTheProgramsTest) {
    // The ends of each range, both sides of the modifiers, and keys with no code.
    const std::pair<SDL_Keycode, uint32_t> keys[] = {
        {SDLK_a, 0x41},          {SDLK_z, 0x5A},           {SDLK_0, 0x30},      {SDLK_9, 0x39},
        {SDLK_RSHIFT, VK_SHIFT}, {SDLK_LCTRL, VK_CONTROL}, {SDLK_ESCAPE, 0x1B}, {SDLK_SPACE, 0x20},
        {SDLK_LEFT, 0x25},       {SDLK_DOWN, 0x28},        {SDLK_F1, 0x70},     {SDLK_F12, 0x7B},
        {SDLK_KP_0, 0x60},       {SDLK_KP_9, 0x69},        {SDLK_F13, 0},       {SDLK_UNKNOWN, 0}};
    for (const auto& [sdl, vk] : keys) {
        EXPECT_EQ(virtual_key_from_sdl(sdl), vk) << SDL_GetKeyName(sdl);
    }
}

TEST(MessageBoxes, WithoutADisplayTheTextGoesToStandardErrorOnOneLine) {
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    EXPECT_EQ(message_box_fallback_line("Mode Switch Failed.\nRunning In Windowed Mode.", "Error"),
              "Error: Mode Switch Failed. Running In Windowed Mode.");
    testing::internal::CaptureStderr();
    platform_message_box("Error Creating OpenGL Window", "Error", MessageBoxIcon::exclamation);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Error: Error Creating OpenGL Window\n");
}

TEST(Cursor, WithoutADisplayPositionCallsDoNothing) {
    unsetenv("DISPLAY");
    int32_t x = 7, y = 9;
    EXPECT_FALSE(platform_get_cursor_pos(x, y));
    EXPECT_EQ(x, 7);
    EXPECT_EQ(y, 9);
    platform_set_cursor_pos(400, 300); // must not crash
}

// A program on the real platform: three paced frames into a real GL context, then Escape
// posted to the window as a key message.
void run_headless(Present present) {
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    setenv("SDL_VIDEODRIVER", "offscreen", 1);

    FrameSettings settings = settings_for(Deliverable::glimbo);
    settings.uses_raw_mouse = false;
    settings.present = present;
    int32_t cx = 0, cy = 0;
    GlWindow* seen = nullptr;
    std::vector<uint32_t> updates;
    uint32_t pixel = 0;
    int deinits = 0;

    ProgramHooks hooks;
    hooks.screen_center_x = &cx;
    hooks.screen_center_y = &cy;
    hooks.program_init = [&](GlWindow& window, KeyTable&) {
        seen = &window;
        EXPECT_NE(glGetString(GL_VERSION), nullptr); // a context is current
        GLint viewport[4] = {};
        glGetIntegerv(GL_VIEWPORT, viewport);
        EXPECT_EQ(viewport[2], 640);
        EXPECT_EQ(viewport[3], 480);
        // A client area squeezed to nothing must not fill the projection with NaNs.
        apply_gl_projection(0, 0);
        GLfloat matrix[16] = {};
        glGetFloatv(GL_PROJECTION_MATRIX, matrix);
        for (GLfloat m : matrix) {
            EXPECT_TRUE(std::isfinite(m));
        }
        apply_gl_projection(640, 480);
        return true;
    };
    hooks.program_update = [&](uint32_t ms) {
        updates.push_back(ms);
        if (updates.size() == 3) {
            platform_post_message(Message{seen->hwnd, WM_KEYDOWN, VK_ESCAPE, 0});
        }
    };
    hooks.program_draw = [&] {
        glClearColor(0.0f, 1.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        glFinish();
        glReadPixels(320, 240, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, &pixel);
    };
    hooks.program_deinit = [&] { ++deinits; };

    const uint32_t start = platform_ticks();
    EXPECT_EQ(run_program(settings, hooks), 0);
    EXPECT_EQ(updates.size(), 3u);
    EXPECT_GE(*std::min_element(updates.begin(), updates.end()), 16u);
    EXPECT_GE(platform_ticks() - start, 48u);
    EXPECT_EQ(deinits, 1);
    EXPECT_EQ(cx, 320);
    EXPECT_EQ(cy, 240);
    const auto* rgba = reinterpret_cast<const uint8_t*>(&pixel);
    EXPECT_EQ(rgba[0], 0);
    EXPECT_EQ(rgba[1], 255);
    EXPECT_EQ(rgba[2], 0);
}

TEST(SystemPlatform, RunsAProgramHeadlessSingleAndDoubleBuffered) {
    for (Present present : {Present::flush_only, Present::swap}) {
        run_headless(present);
    }
}

// The queue's translation of window-system events, fed through SDL's own event queue.
class MessageQueueTest : public ::testing::Test {
  protected:
    WindowHandle window = nullptr;

    void SetUp() override {
        unsetenv("DISPLAY");
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
        ASSERT_TRUE(platform_video_init());
        PlatformWindowOptions options;
        options.title = "queue";
        window = platform_create_window(options);
        ASSERT_NE(window, nullptr);
        Message drain;
        while (platform_peek_message(window, drain)) {
        }
    }
    void TearDown() override {
        platform_destroy_window(window);
        platform_video_quit();
    }
    void push_key(Uint32 type, SDL_Keycode key, Uint16 mod = 0, Uint8 repeat = 0) {
        SDL_Event e{};
        e.type = type;
        e.key.windowID = window_id();
        e.key.keysym.sym = key;
        e.key.keysym.mod = mod;
        e.key.repeat = repeat;
        SDL_PushEvent(&e);
    }
    void push_window_event(Uint8 event) {
        SDL_Event e{};
        e.type = SDL_WINDOWEVENT;
        e.window.windowID = window_id();
        e.window.event = event;
        SDL_PushEvent(&e);
    }
    Uint32 window_id() const {
        // The layer's windows are the only SDL windows in this process.
        for (Uint32 i = 1; i < 64; ++i) {
            if (SDL_GetWindowFromID(i)) {
                return i;
            }
        }
        return 0;
    }
    Message next() {
        Message m;
        EXPECT_TRUE(platform_peek_message(window, m));
        EXPECT_EQ(m.hwnd, window);
        return m;
    }
};

TEST_F(MessageQueueTest, KeysBecomeKeyMessagesAndAltCombinationsSystemKeys) {
    push_key(SDL_KEYDOWN, SDLK_a);
    push_key(SDL_KEYDOWN, SDLK_a, 0, 1);
    push_key(SDL_KEYUP, SDLK_a);
    push_key(SDL_KEYDOWN, SDLK_F4, KMOD_LALT);
    push_key(SDL_KEYDOWN, SDLK_F10);
    push_key(SDL_KEYDOWN, SDLK_F13); // no virtual key: dropped

    Message m = next();
    EXPECT_EQ(m.message, WM_KEYDOWN);
    EXPECT_EQ(m.wparam, 'A');
    EXPECT_EQ(m.lparam & (intptr_t{1} << 30), 0);
    m = next();
    EXPECT_EQ(m.message, WM_KEYDOWN); // repeat: another key-down, marked as held before
    EXPECT_NE(m.lparam & (intptr_t{1} << 30), 0);
    EXPECT_EQ(next().message, WM_KEYUP);
    m = next();
    EXPECT_EQ(m.message, WM_SYSKEYDOWN);
    EXPECT_EQ(m.wparam, VK_F1 + 3);
    EXPECT_EQ(next().message, WM_SYSKEYDOWN);
    Message none;
    EXPECT_FALSE(platform_peek_message(window, none));
}

TEST_F(MessageQueueTest, WindowEventsBecomeSizeAndCloseAndPostedMessagesComeFirst) {
    push_window_event(SDL_WINDOWEVENT_MINIMIZED);
    push_window_event(SDL_WINDOWEVENT_RESTORED);
    push_window_event(SDL_WINDOWEVENT_CLOSE);
    platform_post_message(Message{window, WM_QUIT, 0, 0});

    EXPECT_EQ(next().message, WM_QUIT);
    Message m = next();
    EXPECT_EQ(m.message, WM_SIZE);
    EXPECT_EQ(m.wparam, SIZE_MINIMIZED);
    m = next();
    EXPECT_EQ(m.message, WM_SIZE);
    EXPECT_EQ(m.wparam, SIZE_RESTORED);
    EXPECT_EQ(lparam_low(m.lparam), 640);
    EXPECT_EQ(lparam_high(m.lparam), 480);
    EXPECT_EQ(next().message, WM_CLOSE);
}

TEST_F(MessageQueueTest, MessagesForAWindowThatIsGoneAreDropped) {
    PlatformWindowOptions options;
    WindowHandle other = platform_create_window(options);
    ASSERT_NE(other, nullptr);
    platform_destroy_window(other);
    platform_post_message(Message{other, WM_QUIT, 0, 0});
    Message m;
    EXPECT_FALSE(platform_peek_message(window, m));
}

} // namespace
