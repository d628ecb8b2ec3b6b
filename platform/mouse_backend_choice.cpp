#include "platform/mouse_backend_choice.h"

namespace {

constexpr const char* kFix =
    "mice: to give every mouse its own player, add yourself to group \"input\" once: "
    "sudo usermod -aG input $USER, then log out and in again.\n";

std::string unreadable(const MouseFacts& f) {
    return "mice: " + std::to_string(f.evdev_mice - f.evdev_openable) + " of " +
           std::to_string(f.evdev_mice) +
           " mice in /dev/input cannot be opened (the devices belong to group \"input\").\n";
}

// evdev where it can read a mouse; otherwise what XInput2 gives, saying why. Asked for by
// name, evdev also serves a machine without mice.
MouseBackendChoice evdev_or_fallback(const MouseFacts& f, const std::string& why, bool asked) {
    if (f.evdev_openable > 0) {
        return {MouseBackend::evdev, f.evdev_openable < f.evdev_mice ? unreadable(f) + kFix : ""};
    }
    if (f.evdev_mice == 0) {
        if (asked || !f.x_input2) {
            return {MouseBackend::evdev, ""};
        }
        return {MouseBackend::xinput2,
                why + "mice: /dev/input lists no mouse; using what the X server gives.\n"};
    }
    const std::string what = f.x_input2 ? "mice: every mouse moves the same player for now.\n"
                                        : "mice: no mouse can be read.\n";
    return {f.x_input2 ? MouseBackend::xinput2 : MouseBackend::none,
            why + unreadable(f) + what + kFix};
}

} // namespace

MouseBackendChoice choose_mouse_backend(const MouseFacts& f) {
    if (!f.request.empty() && f.request != "evdev" && f.request != "xinput2") {
        MouseFacts by_desktop = f;
        by_desktop.request.clear();
        MouseBackendChoice choice = choose_mouse_backend(by_desktop);
        choice.message = "mice: GLIMBO_MICE is \"evdev\" or \"xinput2\", not \"" + f.request +
                         "\"; choosing by the desktop.\n" + choice.message;
        return choice;
    }
    if (f.request == "xinput2") {
        return {f.x_input2 ? MouseBackend::xinput2 : MouseBackend::none, ""};
    }
    if (f.request == "evdev") {
        return evdev_or_fallback(f, "", true);
    }
    if (f.x_input2 && !f.xwayland) {
        return {MouseBackend::xinput2, ""};
    }
    if (f.x_input2) {
        return evdev_or_fallback(
            f,
            "mice: this is a Wayland desktop, whose X server (XWayland) shows every mouse as "
            "one pointer; one player per mouse needs /dev/input.\n",
            false);
    }
    if (f.wayland_session) {
        return evdev_or_fallback(f, "", false);
    }
    return {MouseBackend::none, ""};
}
