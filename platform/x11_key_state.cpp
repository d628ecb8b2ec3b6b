#include "platform/x11_key_state.h"
#include "platform/messages.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <vector>

namespace {

// The X key symbols that produce a virtual-key code (either of a pair of modifiers).
std::vector<KeySym> key_symbols(uint32_t vk) {
    if (vk >= 'A' && vk <= 'Z') {
        return {XK_a + (vk - 'A')};
    }
    if (vk >= '0' && vk <= '9') {
        return {XK_0 + (vk - '0')};
    }
    if (vk >= VK_F1 && vk <= VK_F12) {
        return {XK_F1 + (vk - VK_F1)};
    }
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD0 + 9) {
        return {XK_KP_0 + (vk - VK_NUMPAD0)};
    }
    struct Entry {
        uint32_t vk;
        KeySym first, second; // second 0: one key only
    };
    static const Entry table[] = {
        {VK_SHIFT, XK_Shift_L, XK_Shift_R},
        {VK_CONTROL, XK_Control_L, XK_Control_R},
        {VK_MENU, XK_Alt_L, XK_Alt_R},
        {VK_RETURN, XK_Return, XK_KP_Enter},
        {VK_ESCAPE, XK_Escape, 0},
        {VK_SPACE, XK_space, 0},
        {VK_BACK, XK_BackSpace, 0},
        {VK_TAB, XK_Tab, 0},
        {VK_LEFT, XK_Left, 0},
        {VK_UP, XK_Up, 0},
        {VK_RIGHT, XK_Right, 0},
        {VK_DOWN, XK_Down, 0},
        {VK_PRIOR, XK_Prior, 0},
        {VK_NEXT, XK_Next, 0},
        {VK_HOME, XK_Home, 0},
        {VK_END, XK_End, 0},
        {VK_INSERT, XK_Insert, 0},
        {VK_DELETE, XK_Delete, 0},
    };
    for (const Entry& e : table) {
        if (e.vk == vk) {
            return e.second ? std::vector<KeySym>{e.first, e.second} : std::vector<KeySym>{e.first};
        }
    }
    return {};
}

// Opened on first use and kept for the run; null when there is no X display.
Display* key_state_display() {
    static bool tried = false;
    static Display* display = nullptr;
    if (!tried) {
        tried = true;
        display = XOpenDisplay(nullptr);
    }
    return display;
}

} // namespace

int x11_virtual_key_held(uint32_t virtual_key) {
    const std::vector<KeySym> symbols = key_symbols(virtual_key);
    Display* display = symbols.empty() ? nullptr : key_state_display();
    if (!display) {
        return -1;
    }
    char keys[32] = {};
    XQueryKeymap(display, keys);
    for (KeySym symbol : symbols) {
        const KeyCode code = XKeysymToKeycode(display, symbol);
        if (code != 0 && (keys[code / 8] >> (code % 8)) & 1) {
            return 1;
        }
    }
    return 0;
}
