// The editors' step tests: an editor whose file lives in a scratch folder of its own, the
// input and error doubles, and presses that last exactly one armed frame.
#pragma once

#include "tests/editing/test_input.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <unistd.h>

template <class Editor, void (*Step)(Editor&, const FrameInput&, ErrorReporter&)>
struct EditorTest : ::testing::Test {
    std::filesystem::path dir;
    Editor editor;
    FakeInput in;
    RecordingReporter errors;

    void SetUp() override {
        dir = std::filesystem::temp_directory_path() /
              ("editor_" + std::to_string(getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        // The editor's own file name, in the scratch folder.
        editor.path = (dir / std::filesystem::path(editor.path).filename()).string();
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    void step() { Step(editor, in, errors); }
    // A frame with a button or key up, then one with it down; left up afterwards.
    template <class Input> void press(Input& input) {
        input = Input(0);
        step();
        input = Input(1);
        step();
        input = Input(0);
    }
    void press_key(int key) { press(in.keys[size_t(key)]); }
    // Ctrl (and Shift) held around one press of a letter.
    void chord(char letter, bool shift = false) {
        in.hold(KEY_CONTROL).keys[KEY_SHIFT] = shift;
        press_key(key_letter(letter));
        in.release(KEY_CONTROL).release(KEY_SHIFT);
    }
};
