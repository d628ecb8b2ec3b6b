// The window, GL context, display mode and message queue over SDL2. SDL events become
// numbered messages for the window they belong to; raw-mouse events become WM_INPUT for
// the window that has the keyboard focus.
#include "platform/cursor_window.h"
#include "platform/message_queue.h"
#include "platform/raw_input.h"
#include "platform/virtual_keys.h"
#include "platform/window.h"
#include "platform/x11_key_state.h"

#include <SDL2/SDL.h>
#include <poll.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <deque>
#include <optional>
#include <vector>

struct PlatformWindow {
    SDL_Window* sdl = nullptr;
    uint32_t id = 0;
    std::deque<Message> posted; // the program's own messages, taken first
    std::deque<Message> input;  // window-system and raw-mouse events
};

namespace {

// A key whose release SDL reported for a window that was destroyed (SDL resets its key state
// then). SDL ignores the real release later, so the layer watches the key itself.
struct KeyHeldThroughRebuild {
    uint32_t vk = 0;
    SDL_Scancode scancode = SDL_SCANCODE_UNKNOWN;
};

struct VideoState {
    std::vector<PlatformWindow*> windows;
    std::optional<SDL_DisplayMode> fullscreen_mode;
    std::vector<uintptr_t> raw_handles;
    // Key and raw-input messages that a destroyed window never took: the next window gets
    // them, so a window rebuild loses no button or key change.
    std::deque<Message> carried;
    std::vector<KeyHeldThroughRebuild> unsettled_keys;
    uint32_t keys_checked_ms = 0;
};

VideoState& video() {
    static VideoState state;
    return state;
}

PlatformWindow* window_by_id(uint32_t id) {
    for (PlatformWindow* w : video().windows) {
        if (w->id == id) {
            return w;
        }
    }
    return nullptr;
}

bool is_live(WindowHandle window) {
    const auto& windows = video().windows;
    return window && std::find(windows.begin(), windows.end(), window) != windows.end();
}

void queue_input(PlatformWindow* window, uint32_t message, uintptr_t wparam, intptr_t lparam) {
    if (window) {
        window->input.push_back(Message{window, message, wparam, lparam});
    }
}

intptr_t client_size_lparam(PlatformWindow* window) {
    int32_t w = 0, h = 0;
    platform_client_size(window, w, h);
    return make_lparam(w, h);
}

void translate_window_event(const SDL_WindowEvent& event) {
    PlatformWindow* window = window_by_id(event.windowID);
    if (!window) {
        return;
    }
    switch (event.event) {
    case SDL_WINDOWEVENT_MINIMIZED:
        queue_input(window, WM_SIZE, SIZE_MINIMIZED, 0);
        break;
    case SDL_WINDOWEVENT_MAXIMIZED:
        queue_input(window, WM_SIZE, SIZE_MAXIMIZED, client_size_lparam(window));
        break;
    case SDL_WINDOWEVENT_RESTORED:
        queue_input(window, WM_SIZE, SIZE_RESTORED, client_size_lparam(window));
        break;
    case SDL_WINDOWEVENT_SIZE_CHANGED: {
        const Uint32 flags = SDL_GetWindowFlags(window->sdl);
        if (!(flags & SDL_WINDOW_MINIMIZED)) {
            const uintptr_t kind = (flags & SDL_WINDOW_MAXIMIZED) ? SIZE_MAXIMIZED : SIZE_RESTORED;
            queue_input(window, WM_SIZE, kind, client_size_lparam(window));
        }
        break;
    }
    case SDL_WINDOWEVENT_CLOSE:
        queue_input(window, WM_CLOSE, 0, 0);
        break;
    default:
        break;
    }
}

void translate_key_event(const SDL_KeyboardEvent& event) {
    PlatformWindow* window = window_by_id(event.windowID);
    const uint32_t vk = virtual_key_from_sdl(event.keysym.sym);
    if (!window && vk != 0 && event.type == SDL_KEYUP) {
        video().unsettled_keys.push_back({vk, event.keysym.scancode});
    }
    if (!window || vk == 0) {
        return;
    }
    const bool down = event.type == SDL_KEYDOWN;
    // Alt combinations, Alt itself and F10 are system keys, which the key tables never see.
    const bool system_key = (event.keysym.mod & KMOD_ALT) || vk == VK_MENU || vk == VK_F10;
    uint32_t message = 0;
    if (system_key) {
        message = down ? WM_SYSKEYDOWN : WM_SYSKEYUP;
    } else {
        message = down ? WM_KEYDOWN : WM_KEYUP;
    }
    // Repeat count 1, the scan code, bit 30 for "was down before", bit 31 for a release.
    intptr_t lparam = 1 | ((event.keysym.scancode & 0xFF) << 16);
    if (!down || event.repeat) {
        lparam |= intptr_t{1} << 30;
    }
    if (!down) {
        lparam |= intptr_t{1} << 31;
    }
    queue_input(window, message, vk, lparam);
}

void translate_button_event(const SDL_MouseButtonEvent& event) {
    PlatformWindow* window = window_by_id(event.windowID);
    const bool down = event.type == SDL_MOUSEBUTTONDOWN;
    uint32_t message = 0;
    switch (event.button) {
    case SDL_BUTTON_LEFT:
        message = down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
        break;
    case SDL_BUTTON_RIGHT:
        message = down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
        break;
    case SDL_BUTTON_MIDDLE:
        message = down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
        break;
    default:
        return;
    }
    queue_input(window, message, 0, make_lparam(event.x, event.y));
}

void translate(const SDL_Event& event) {
    switch (event.type) {
    case SDL_WINDOWEVENT:
        translate_window_event(event.window);
        break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        translate_key_event(event.key);
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        translate_button_event(event.button);
        break;
    case SDL_QUIT:
        // A termination signal: every window is asked to close.
        for (PlatformWindow* w : video().windows) {
            queue_input(w, WM_CLOSE, 0, 0);
        }
        break;
    default:
        break;
    }
}

PlatformWindow* focused_window() {
    for (PlatformWindow* w : video().windows) {
        if (platform_window_has_focus(w)) {
            return w;
        }
    }
    return nullptr;
}

// Raw events arrive whichever window has the focus; they reach ours only while it has it.
void collect_raw_events() {
    auto& handles = video().raw_handles;
    handles.clear();
    raw_input_collect_events(handles);
    if (handles.empty()) {
        return;
    }
    PlatformWindow* w = focused_window();
    for (uintptr_t handle : handles) {
        if (w) {
            queue_input(w, WM_INPUT, 0, static_cast<intptr_t>(handle));
        } else {
            raw_input_discard_event(handle);
        }
    }
}

// Keys held through a window rebuild: released ones get their key-up, held ones stay down
// until the X server says they are up (or SDL sees them pressed again and takes over).
void settle_keys_held_through_rebuild() {
    auto& state = video();
    PlatformWindow* w = state.unsettled_keys.empty() ? nullptr : focused_window();
    const uint32_t now = SDL_GetTicks();
    if (!w || now - state.keys_checked_ms < 10) {
        return; // the X server is asked at most every 10 ms
    }
    state.keys_checked_ms = now;
    const Uint8* sdl_keys = SDL_GetKeyboardState(nullptr);
    std::erase_if(state.unsettled_keys, [&](const KeyHeldThroughRebuild& key) {
        if (sdl_keys[key.scancode]) {
            return true; // SDL saw it pressed again and will report its release
        }
        if (x11_virtual_key_held(key.vk) == 1) {
            return false;
        }
        const intptr_t release = 1 | (intptr_t{1} << 30) | (intptr_t{1} << 31);
        queue_input(w, WM_KEYUP, key.vk, release);
        return true;
    });
}

void pump() {
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        translate(event);
    }
    collect_raw_events();
    settle_keys_held_through_rebuild();
}

bool carried_over(const Message& m) {
    return m.message == WM_INPUT || m.message == WM_KEYDOWN || m.message == WM_KEYUP ||
           m.message == WM_SYSKEYDOWN || m.message == WM_SYSKEYUP;
}

// SDL falls back to a driver that shows nothing when there is no display; a program then
// runs unseen. Those drivers serve only when the environment asks for them (tests do).
bool driver_shows_windows() {
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver || (std::strcmp(driver, "offscreen") != 0 && std::strcmp(driver, "dummy") != 0)) {
        return true;
    }
    const char* asked = SDL_GetHint(SDL_HINT_VIDEODRIVER);
    return asked && std::strstr(asked, driver) != nullptr;
}

} // namespace

bool platform_video_init() {
    // Closing the window is the program's decision (WM_CLOSE), not SDL's.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    return SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
}

void platform_video_quit() {
    video().carried.clear();
    video().unsettled_keys.clear();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

WindowHandle platform_create_window(const PlatformWindowOptions& options) {
    // Requested bit depths are minimums: a 24-bit display gives 8 bits a channel.
    const bool deep = options.bits_per_pixel > 16;
    SDL_GL_ResetAttributes();
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, deep ? 8 : 5);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, deep ? 8 : 6);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, deep ? 8 : 5);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, options.double_buffer ? 1 : 0);
    if (!driver_shows_windows()) {
        std::fprintf(stderr, "window creation failed: no display to show it on\n");
        return nullptr;
    }

    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
    if (!options.fullscreen) {
        flags |= SDL_WINDOW_RESIZABLE;
    }
    SDL_Window* sdl =
        SDL_CreateWindow(options.title.c_str(), 0, 0, options.width, options.height, flags);
    if (!sdl) {
        std::fprintf(stderr, "window creation failed: %s\n", SDL_GetError());
        return nullptr;
    }
    auto& state = video();
    if (options.fullscreen && state.fullscreen_mode) {
        if (SDL_SetWindowDisplayMode(sdl, &*state.fullscreen_mode) != 0 ||
            SDL_SetWindowFullscreen(sdl, SDL_WINDOW_FULLSCREEN) != 0) {
            std::fprintf(stderr, "full-screen mode refused: %s\n", SDL_GetError());
        }
    }
    // Keys arrive as key messages only; no text input (and no input method) is wanted.
    SDL_StopTextInput();
    auto* window = new PlatformWindow;
    window->sdl = sdl;
    window->id = SDL_GetWindowID(sdl);
    for (Message m : state.carried) {
        m.hwnd = window;
        window->input.push_back(m);
    }
    state.carried.clear();
    state.windows.push_back(window);
    cursor_window_created(sdl);
    return window;
}

void platform_destroy_window(WindowHandle window) {
    auto& windows = video().windows;
    auto it = std::find(windows.begin(), windows.end(), window);
    if (it == windows.end()) {
        return;
    }
    windows.erase(it);
    cursor_window_destroyed(window->sdl);
    SDL_DestroyWindow(window->sdl);
    for (const Message& m : window->input) {
        if (carried_over(m)) {
            video().carried.push_back(m);
        }
    }
    delete window; // its other queued messages go with it
}

void platform_show_window(WindowHandle window) {
    if (is_live(window)) {
        SDL_ShowWindow(window->sdl);
    }
}

PlatformGlContext* platform_create_gl_context(WindowHandle window) {
    if (!is_live(window)) {
        return nullptr;
    }
    SDL_GLContext context = SDL_GL_CreateContext(window->sdl);
    if (!context) {
        std::fprintf(stderr, "GL context creation failed: %s\n", SDL_GetError());
    }
    return static_cast<PlatformGlContext*>(context);
}

bool platform_make_current(WindowHandle window, PlatformGlContext* context) {
    SDL_Window* sdl = is_live(window) ? window->sdl : nullptr;
    return SDL_GL_MakeCurrent(sdl, static_cast<SDL_GLContext>(context)) == 0;
}

void platform_delete_gl_context(PlatformGlContext* context) {
    if (context) {
        SDL_GL_DeleteContext(static_cast<SDL_GLContext>(context));
    }
}

void platform_swap_buffers(WindowHandle window) {
    if (is_live(window)) {
        SDL_GL_SwapWindow(window->sdl);
    }
}

bool platform_window_has_focus(WindowHandle window) {
    return is_live(window) && (SDL_GetWindowFlags(window->sdl) & SDL_WINDOW_INPUT_FOCUS) != 0;
}

void platform_client_size(WindowHandle window, int32_t& width, int32_t& height) {
    int w = 0, h = 0;
    if (is_live(window)) {
        SDL_GL_GetDrawableSize(window->sdl, &w, &h);
    }
    width = w;
    height = h;
}

bool platform_change_display_mode(int32_t width, int32_t height, int32_t bits) {
    auto& state = video();
    state.fullscreen_mode.reset();
    const int count = SDL_GetNumDisplayModes(0);
    for (int i = 0; i < count; ++i) {
        SDL_DisplayMode mode;
        if (SDL_GetDisplayMode(0, i, &mode) != 0 || mode.w != width || mode.h != height) {
            continue;
        }
        // The colour depth is the display's; a mode of the right size is taken, preferring
        // one whose depth matches.
        if (!state.fullscreen_mode || static_cast<int32_t>(SDL_BITSPERPIXEL(mode.format)) == bits) {
            state.fullscreen_mode = mode;
        }
    }
    return state.fullscreen_mode.has_value();
}

void platform_restore_display_mode() {
    // SDL gives the desktop mode back when a full-screen window goes; nothing is pending.
    video().fullscreen_mode.reset();
}

bool platform_peek_message(WindowHandle window, Message& message) {
    pump();
    if (!is_live(window)) {
        return false;
    }
    for (auto* queue : {&window->posted, &window->input}) {
        if (!queue->empty()) {
            message = queue->front();
            queue->pop_front();
            return true;
        }
    }
    return false;
}

void platform_wait_message(WindowHandle window) {
    for (;;) {
        pump();
        if (!is_live(window) || !window->posted.empty() || !window->input.empty()) {
            return;
        }
        std::vector<pollfd> watch;
        std::vector<int> fds;
        raw_input_wait_fds(fds);
        for (int fd : fds) {
            watch.push_back({fd, POLLIN, 0});
        }
        if (!watch.empty()) {
            // Wake for raw input too; SDL's own events are looked at every 10 ms.
            poll(watch.data(), watch.size(), 10);
        } else {
            SDL_WaitEventTimeout(nullptr, 100);
        }
    }
}

void platform_post_message(const Message& message) {
    if (is_live(message.hwnd)) {
        message.hwnd->posted.push_back(message);
    }
}
