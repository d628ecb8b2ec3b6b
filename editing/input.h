// Per-frame input of the editors and prototypes: the held keys, the two mouse buttons and
// where the system cursor was before the program put it back at the screen centre.
#pragma once

#include <cstdint>
#include <string>

// Virtual-key codes the programs test.
constexpr int KEY_SHIFT = 0x10;
constexpr int KEY_CONTROL = 0x11;
constexpr int KEY_SPACE = 0x20;
constexpr int KEY_LEFT = 0x25;
constexpr int KEY_UP = 0x26;
constexpr int KEY_RIGHT = 0x27;
constexpr int KEY_DOWN = 0x28;
constexpr int key_letter(char upper) {
    return upper;
} // 'A'..'Z' are 0x41..0x5A
constexpr int key_digit(int d) {
    return 0x30 + d;
}

// The screen position the cursor is put back to every frame.
constexpr int CURSOR_HOME_X = 400;
constexpr int CURSOR_HOME_Y = 300;

struct FrameInput {
    const int32_t* keys = nullptr; // 256 key-held flags indexed by virtual-key code
    bool left_button = false;
    bool right_button = false;
    int cursor_x = CURSOR_HOME_X; // cursor position read this frame
    int cursor_y = CURSOR_HOME_Y;

    bool held(int key) const { return keys != nullptr && key >= 0 && key < 256 && keys[key]; }
};

// A once-per-press action: fires in a frame in which its key is down while armed, then
// disarms; any frame with the key up arms it again. Starts disarmed, so a key already
// held when the program starts does nothing until it is released.
struct PressLatch {
    bool armed = false;

    // Returns true in the frame the action fires.
    bool fire(bool down) {
        if (!down) {
            armed = true;
            return false;
        }
        if (!armed)
            return false;
        armed = false;
        return true;
    }
};

// What the program shows to the user on a failed save or load (a modal message box).
struct ErrorReporter {
    virtual ~ErrorReporter() = default;
    virtual void show_error(const std::string& text) = 0;
};

inline constexpr const char* SAVE_FAILED_TEXT = "Error: couldnt save the file";
inline constexpr const char* LOAD_FAILED_TEXT = "Error: couldnt load the file";
