// The cursor position on an X connection of our own: SDL's global mouse state goes stale
// after a warp, so reading and moving go straight to the server.
#include "platform/cursor.h"

#include <SDL2/SDL_events.h>
#include <SDL2/SDL_mouse.h>
#include <X11/Xlib.h>

namespace {

// Opened on first use and kept for the run; null when there is no X display.
Display* cursor_display() {
    static bool tried = false;
    static Display* display = nullptr;
    if (!tried) {
        tried = true;
        display = XOpenDisplay(nullptr);
    }
    return display;
}

} // namespace

bool platform_get_cursor_pos(int32_t& x, int32_t& y) {
    Display* display = cursor_display();
    if (!display) {
        return false;
    }
    Window root = 0, child = 0;
    int root_x = 0, root_y = 0, win_x = 0, win_y = 0;
    unsigned int mask = 0;
    if (!XQueryPointer(display, DefaultRootWindow(display), &root, &child, &root_x, &root_y, &win_x,
                       &win_y, &mask)) {
        return false; // the pointer is on another screen
    }
    x = root_x;
    y = root_y;
    return true;
}

void platform_set_cursor_pos(int32_t x, int32_t y) {
    Display* display = cursor_display();
    if (!display) {
        return;
    }
    XWarpPointer(display, None, DefaultRootWindow(display), 0, 0, 0, 0, x, y);
    XFlush(display);
}

void platform_show_cursor(bool show) {
    SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
}
