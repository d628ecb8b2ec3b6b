// What the four windowed programs share around their logic: the per-frame input read from
// the frame (keys, buttons, the cursor put back at the centre) and the error message box.
#pragma once

#include "frame/frame.h"
#include "mygame/input.h"

// Reads the cursor, puts it back at the screen centre and returns this frame's input.
FrameInput poll_frame_input(const KeyTable* keys, uint8_t left_button, uint8_t right_button);

// Failures the user must see: a modal box captioned "Error" with the exclamation icon.
struct MessageBoxErrors : ErrorReporter {
    void show_error(const std::string& text) override;
};
