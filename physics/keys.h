// Virtual-key codes the game reads from `key_down` (the platform layer translates its own
// key symbols to these numbers), and the once-per-press latch over them.
#pragma once

constexpr int KEY_ENTER = 0x0D;
constexpr int KEY_SHIFT = 0x10; // either Shift key
constexpr int KEY_CTRL = 0x11;  // either Ctrl key
constexpr int KEY_ESCAPE = 0x1B;
constexpr int KEY_SPACE = 0x20;
constexpr int KEY_LEFT = 0x25;
constexpr int KEY_UP = 0x26;
constexpr int KEY_RIGHT = 0x27;
constexpr int KEY_DOWN = 0x28;
constexpr int KEY_0 = 0x30; // digits are 0x30 + digit
constexpr int KEY_9 = 0x39;
constexpr int KEY_F1 = 0x70;

// Letters use their upper-case ASCII code.
constexpr int key_letter(char upper) {
    return int(upper);
}

// Runs `action` once per press of the key (pair): the latch re-arms while it is up.
template <typename Action> void once_per_press(bool held, bool& latch, Action action) {
    if (!held) {
        latch = true;
    } else if (latch) {
        latch = false;
        action();
    }
}
