#include "tests/pointer/pointer_grab_probe.h"

#include <X11/Xlib.h>

bool pointer_grabbed_elsewhere(const std::string& display) {
    Display* d = XOpenDisplay(display.c_str());
    if (!d)
        return false;
    const int result = XGrabPointer(d, DefaultRootWindow(d), False, 0, GrabModeAsync,
                                    GrabModeAsync, None, None, CurrentTime);
    if (result == GrabSuccess)
        XUngrabPointer(d, CurrentTime);
    XCloseDisplay(d);
    return result == AlreadyGrabbed;
}
