// Test doubles for the per-frame input and the message boxes.
#pragma once

#include "editing/input.h"

#include <array>
#include <string>
#include <vector>

struct FakeInput {
    std::array<int32_t, 256> keys{};
    FrameInput frame;

    FakeInput() { frame.keys = keys.data(); }
    FakeInput(const FakeInput&) = delete;

    FakeInput& hold(int key) {
        keys[key] = 1;
        return *this;
    }
    FakeInput& release(int key) {
        keys[key] = 0;
        return *this;
    }
    // The cursor as read this frame: (dx, dy) pixels left of and above the centre.
    FakeInput& cursor_moved(int dx, int dy) {
        frame.cursor_x = CURSOR_HOME_X - dx;
        frame.cursor_y = CURSOR_HOME_Y - dy;
        return *this;
    }
    operator const FrameInput&() const { return frame; }
};

struct RecordingReporter : ErrorReporter {
    std::vector<std::string> shown;
    void show_error(const std::string& text) override { shown.push_back(text); }
};
