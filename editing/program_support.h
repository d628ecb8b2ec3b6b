// What the four windowed programs share around their logic: the run with its per-frame input
// read from the frame (keys, buttons, the cursor put back at the centre), the error message
// box and the prototypes' texture files.
#pragma once

#include "frame/frame.h"
#include "editing/input.h"

#include <functional>
#include <utility>
#include <vector>

// Reads the cursor, puts it back at the screen centre and returns this frame's input.
FrameInput poll_frame_input(const KeyTable* keys, uint8_t left_button, uint8_t right_button);

// Failures the user must see: a modal box captioned "Error" with the exclamation icon.
struct MessageBoxErrors : ErrorReporter {
    void show_error(const std::string& text) override;
};

// What one of the four programs does on top of the common run.
struct EditorProgramCalls {
    std::function<void()> init;                  // after the common GL state, per window
    std::function<void(const FrameInput&)> step; // with each frame's input
    std::function<void()> draw;
    std::function<void()> deinit = [] {};
};

// Runs the program: every new window gets the common GL state and a hidden cursor before
// `init`; every frame polls the input for `step`. Returns the process exit code.
int run_editor_program(Deliverable which, const EditorProgramCalls& calls);

// The prototypes' texture images by slot, 0-17; the ground editor loads the first six.
std::vector<std::pair<int, const char*>> prototype_texture_files();
