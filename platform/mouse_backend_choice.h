// Which raw-input backend serves the mice: XInput2 where the X server tells mice apart,
// evdev (/dev/input) where it cannot (XWayland) or where GLIMBO_MICE=evdev asks for it.
// Pure: the facts are gathered by the caller, so tests can try any desktop.
#pragma once

#include <string>

enum class MouseBackend { none, xinput2, evdev };

struct MouseFacts {
    std::string request;          // GLIMBO_MICE: "", "evdev" or "xinput2"
    bool x_input2 = false;        // an X server with XInput 2.2 is reachable
    bool xwayland = false;        // ... and it is XWayland
    bool wayland_session = false; // WAYLAND_DISPLAY is set
    int evdev_mice = 0;           // mice that sysfs lists
    int evdev_openable = 0;       // ... of which the event node could be opened
};

struct MouseBackendChoice {
    MouseBackend backend = MouseBackend::none;
    std::string message; // for standard error, once; empty when all is well
};

MouseBackendChoice choose_mouse_backend(const MouseFacts& facts);
