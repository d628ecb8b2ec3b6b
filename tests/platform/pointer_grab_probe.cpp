// Kept apart from the tests because the X headers' macros clash with GoogleTest's names.
#include <X11/Xlib.h>

#include <string>

// True when another client holds the pointer grabbed (we try to grab it, and let go at once).
bool pointer_grabbed_elsewhere(const std::string& display) {
    Display* d = XOpenDisplay(display.c_str());
    if (!d)
        return false;
    const int result = XGrabPointer(d, DefaultRootWindow(d), False, 0, GrabModeAsync,
                                    GrabModeAsync, None, None, CurrentTime);
    XUngrabPointer(d, CurrentTime);
    XCloseDisplay(d);
    return result == AlreadyGrabbed;
}
