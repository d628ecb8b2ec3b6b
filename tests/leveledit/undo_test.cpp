#include "leveledit/level_editor.h"

#include "tests/editing/editor_fixture.h"

namespace {

struct LevelUndoTest : EditorTest<LevelEditor, level_editor_step> {
    void point_at(float x, float y) { editor.offset = {x * 10, -y * 10}; } // view unscrolled
    std::vector<uint8_t> bytes() const { return encode_level(editor.level); }
    // Ctrl (and Shift) held around one press of `key`.
    void chord(char key, bool shift = false) {
        in.hold(KEY_CONTROL);
        shift ? in.hold(KEY_SHIFT) : in.release(KEY_SHIFT);
        press_key(key_letter(key));
        in.release(KEY_CONTROL).release(KEY_SHIFT);
    }
    // Holds the right button (or P) over the path, with a frame of nothing held before and
    // after it: input held from frame to frame is one gesture.
    void drag(bool blob, std::initializer_list<std::pair<float, float>> path) {
        step();
        for (auto [x, y] : path) {
            point_at(x, y);
            in.frame.right_button = !blob;
            blob ? in.hold(key_letter('P')) : in.release(key_letter('P'));
            step();
        }
        in.frame.right_button = false;
        in.release(key_letter('P'));
        step();
    }
};

} // namespace

TEST_F(LevelUndoTest, EditsUndoToTheStartBytesAndRedoToTheEndWithTheirPointer) {
    std::vector<std::vector<uint8_t>> states{bytes()};
    press_key(key_digit(2)); // retypes ground point 0
    states.push_back(bytes());
    point_at(15, 1);
    press_left();
    states.push_back(bytes());
    drag(false, {{15, -4}, {16, -5}, {18, -6}}); // base point 2 from (19, -4), three frames
    states.push_back(bytes());
    press_key(key_digit(3)); // retypes ground point 2, the one dragged
    states.push_back(bytes());
    press_key(key_letter('S')); // no step
    press_key(key_letter('R'));
    states.push_back(bytes());
    drag(true, {{3, 1}, {-5, 6}});
    states.push_back(bytes());
    press_key(key_letter('L')); // back to the saved level: one step
    EXPECT_EQ(bytes(), states[4]);
    states.push_back(bytes());

    for (size_t k = states.size() - 1; k-- > 0;) {
        chord('Z');
        ASSERT_EQ(bytes(), states[k]) << "undo to " << k;
        if (k == 2) { // the drag comes back where it began, its point selected
            EXPECT_FLOAT_EQ(editor.pointer_x, 15);
            EXPECT_FLOAT_EQ(editor.pointer_y, -4);
            EXPECT_EQ(editor.point_selection, 2);
            EXPECT_TRUE(editor.selection_is_base);
        }
    }
    chord('Z'); // nothing left to undo
    EXPECT_EQ(bytes(), states[0]);
    for (size_t k = 1; k < states.size(); ++k) {
        chord(k % 2 ? 'Y' : 'Z', k % 2 == 0);
        ASSERT_EQ(bytes(), states[k]) << "redo to " << k;
    }
    EXPECT_FLOAT_EQ(editor.pointer_x, -5); // where the load was pressed
    EXPECT_FLOAT_EQ(editor.pointer_y, 6);
}

TEST_F(LevelUndoTest, KeepsTheLast200StepsOnePerPressAndANewEditEndsRedo) {
    for (int i = 0; i < 201; ++i)
        press_left();
    in.hold(KEY_CONTROL).hold(key_letter('Z'));
    for (int i = 0; i < 5; ++i)
        step(); // held: undoes once
    in.release(key_letter('Z'));
    EXPECT_EQ(editor.level.ground.size(), 202u);
    for (int i = 0; i < 250; ++i)
        chord('Z');
    EXPECT_EQ(editor.level.ground.size(), 3u); // the first append dropped out
    press_left();
    chord('Y');
    EXPECT_EQ(editor.level.ground.size(), 4u);
}
