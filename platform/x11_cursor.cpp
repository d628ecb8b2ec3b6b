// The system cursor as the programs see it: a virtual cursor (virtual_cursor.h) fed with the
// motion of the real pointer, read on the layer's own X connection (SDL's global mouse state
// goes stale after a warp).
//
// While one of our windows has the keyboard focus, SDL's grab confines the real pointer to
// it, so clicks land there. With the cursor hidden we keep the pointer near the window's
// centre with relative warps, which carry any motion made meanwhile along. XWayland turns
// that grab into a confinement of the desktop's pointer, and with the cursor hidden into a
// lock that reports relative motion, under which it honours our warps. A visible cursor is
// never warped: the user sees it move with the mouse, inside the window. On focus loss SDL
// lets the pointer go at once, and its motion from then on is not ours.
#include "platform/cursor.h"
#include "platform/cursor_window.h"
#include "platform/virtual_cursor.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

struct ConfiningWindow {
    SDL_Window* sdl = nullptr;
    Window x = 0;
};

struct CursorState {
    bool tried = false;
    Display* display = nullptr; // the layer's own connection; null without X
    bool program_hides = false; // the program's last show-cursor call hid it
    bool watching = false;      // the focus-loss watch is installed
    VirtualCursor cursor;
    int window_x = 0, window_y = 0; // where the focused window was at the last sighting
    std::vector<ConfiningWindow> windows;
};

CursorState& state() {
    static CursorState s;
    return s;
}

// Opened on first use and kept for the run.
Display* cursor_display() {
    CursorState& s = state();
    if (!s.tried) {
        s.tried = true;
        s.display = XOpenDisplay(nullptr);
        if (s.display) {
            // The cursor starts where the system pointer is, as on a desktop of its own.
            Window root = 0, child = 0;
            int root_x = 0, root_y = 0, win_x = 0, win_y = 0;
            unsigned int mask = 0;
            XQueryPointer(s.display, DefaultRootWindow(s.display), &root, &child, &root_x,
                          &root_y, &win_x, &win_y, &mask);
            virtual_cursor_put_back(s.cursor, root_x, root_y);
        }
    }
    return s.display;
}

const ConfiningWindow* focused_window() {
    for (const ConfiningWindow& w : state().windows) {
        if (SDL_GetWindowFlags(w.sdl) & SDL_WINDOW_INPUT_FOCUS) {
            return &w;
        }
    }
    return nullptr;
}

// Reads the screen's size, which bounds the virtual cursor as it bounds the real one.
void take_screen_size(Display* display) {
    Window root = 0;
    int x = 0, y = 0;
    unsigned int width = 0, height = 0, border = 0, depth = 0;
    if (XGetGeometry(display, DefaultRootWindow(display), &root, &x, &y, &width, &height, &border,
                     &depth)) {
        state().cursor.screen_width = static_cast<int32_t>(width);
        state().cursor.screen_height = static_cast<int32_t>(height);
    }
}

// Brings the virtual cursor up to date with the real pointer, and the pointer back towards
// the centre of the focused window when the cursor is hidden.
void follow_pointer() {
    CursorState& s = state();
    Display* display = cursor_display();
    if (!display) {
        return;
    }
    const ConfiningWindow* window = focused_window();
    if (!window) {
        virtual_cursor_pointer_lost(s.cursor);
        return;
    }
    if (!s.cursor.pointer_seen) {
        take_screen_size(display);
    }
    Window root = 0, child = 0;
    int root_x = 0, root_y = 0, win_x = 0, win_y = 0;
    unsigned int mask = 0;
    if (!XQueryPointer(display, window->x, &root, &child, &root_x, &root_y, &win_x, &win_y,
                       &mask)) {
        virtual_cursor_pointer_lost(s.cursor); // the pointer is on another screen
        return;
    }
    // A window that moved drags the confined pointer along; that is not the user's motion.
    if (root_x - win_x != s.window_x || root_y - win_y != s.window_y) {
        virtual_cursor_pointer_lost(s.cursor);
        s.window_x = root_x - win_x;
        s.window_y = root_y - win_y;
    }
    virtual_cursor_pointer_seen(s.cursor, root_x, root_y);
    if (!s.program_hides) {
        return;
    }
    // Back to the centre once the pointer has gone a quarter of the window away: the next
    // frame then has the other quarter of room before the confinement holds it.
    int width = 0, height = 0;
    SDL_GetWindowSize(window->sdl, &width, &height);
    const int dx = width / 2 - win_x, dy = height / 2 - win_y;
    if (std::abs(dx) <= width / 4 && std::abs(dy) <= height / 4) {
        return;
    }
    XWarpPointer(display, None, None, 0, 0, 0, 0, dx, dy);
    if (XQueryPointer(display, window->x, &root, &child, &root_x, &root_y, &win_x, &win_y,
                      &mask)) {
        virtual_cursor_pointer_warped(s.cursor, dx, dy, root_x, root_y);
    } else {
        virtual_cursor_pointer_lost(s.cursor);
    }
}

// SDL drops its grab when a window loses the focus; the track goes with it, even when no
// frame runs before the focus comes back (a minimised window).
int watch_focus(void*, SDL_Event* event) {
    if (event->type == SDL_WINDOWEVENT && event->window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
        virtual_cursor_pointer_lost(state().cursor);
    }
    return 0;
}

} // namespace

bool platform_get_cursor_pos(int32_t& x, int32_t& y) {
    if (!cursor_display()) {
        return false;
    }
    follow_pointer();
    virtual_cursor_read(state().cursor, x, y);
    return true;
}

void platform_set_cursor_pos(int32_t x, int32_t y) {
    if (!cursor_display()) {
        return;
    }
    // Motion up to now is kept for the next read, whatever the new position.
    follow_pointer();
    virtual_cursor_put_back(state().cursor, x, y);
}

void platform_show_cursor(bool show) {
    SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
    state().program_hides = !show;
}

void cursor_window_created(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    // Only X11 windows confine; the offscreen driver has no pointer.
    if (!cursor_display() || !SDL_GetWindowWMInfo(window, &info) ||
        info.subsystem != SDL_SYSWM_X11) {
        return;
    }
    CursorState& s = state();
    s.windows.push_back({window, info.info.x11.window});
    if (!s.watching) {
        SDL_AddEventWatch(watch_focus, nullptr);
        s.watching = true;
    }
    // SDL holds the grab only while the window has the focus, and takes it again on return.
    SDL_SetWindowMouseGrab(window, SDL_TRUE);
}

void cursor_window_destroyed(SDL_Window* window) {
    auto& windows = state().windows;
    auto it = std::find_if(windows.begin(), windows.end(),
                           [&](const ConfiningWindow& w) { return w.sdl == window; });
    if (it == windows.end()) {
        return;
    }
    windows.erase(it);
    virtual_cursor_pointer_lost(state().cursor);
}

void cursor_release_for_modal() {
    for (const ConfiningWindow& w : state().windows) {
        SDL_SetWindowMouseGrab(w.sdl, SDL_FALSE);
    }
    virtual_cursor_pointer_lost(state().cursor);
}

void cursor_retake_after_modal() {
    for (const ConfiningWindow& w : state().windows) {
        SDL_SetWindowMouseGrab(w.sdl, SDL_TRUE);
    }
}
