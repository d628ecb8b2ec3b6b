#include "leveledit/level_editor.h"

#include "tests/editing/editor_fixture.h"

namespace {

struct LevelUndoTest : EditorTest<LevelEditor, level_editor_step> {
    std::vector<std::vector<uint8_t>> states{encode_level(editor.level)};
    void edited() { states.push_back(encode_level(editor.level)); }
    void point_at(float x, float y) { editor.offset = {x * 10, -y * 10}; } // view unscrolled
    void chord(char key, bool shift = false) { // Ctrl (and Shift) held around one press
        in.hold(KEY_CONTROL).keys[KEY_SHIFT] = shift;
        press_key(key_letter(key));
        in.release(KEY_CONTROL);
    }
};

} // namespace

TEST_F(LevelUndoTest, EditsUndoToTheStartBytesAndRedoToTheEndWithTheirPointer) {
    press_key(key_digit(2)); // retypes ground point 0
    edited();
    point_at(15, 1);
    press_left();
    edited();
    step();                       // a frame with nothing held: the drag is a gesture of its own
    in.frame.right_button = true; // base point 2 from (19, -4), in three frames
    for (float x : {15, 16, 18}) {
        point_at(x, -4);
        step();
    }
    in.frame.right_button = false;
    edited();
    press_key(key_digit(3)); // retypes ground point 2, the one dragged
    edited();
    press_key(key_letter('S')); // no step
    for (char key : {'R', 'I'}) {
        press_key(key_letter(key));
        edited();
    }
    press_key(key_letter('L')); // back to the saved level: one step
    edited();
    EXPECT_EQ(states.back(), states[4]);

    for (size_t k = states.size() - 1; k-- > 0;) {
        chord('Z');
        ASSERT_EQ(encode_level(editor.level), states[k]) << "undo to " << k;
        if (k == 2) { // the drag is undone where it began, its point selected
            EXPECT_FLOAT_EQ(editor.pointer_x, 15);
            EXPECT_EQ(editor.point_selection, 2);
            EXPECT_TRUE(editor.selection_is_base);
        }
    }
    for (size_t k = 1; k < states.size(); ++k) {
        chord(k % 2 ? 'Y' : 'Z', k % 2 == 0);
        ASSERT_EQ(encode_level(editor.level), states[k]) << "redo to " << k;
    }
}

TEST_F(LevelUndoTest, KeepsTheLast200StepsOnePerPressAndANewEditEndsRedo) {
    for (int i = 0; i < 201; ++i)
        press_left();
    in.hold(KEY_CONTROL).hold(key_letter('Z'));
    for (int i = 0; i < 5; ++i)
        step(); // held: one undo
    in.release(key_letter('Z'));
    EXPECT_EQ(editor.level.ground.size(), 202u);
    for (int i = 0; i < 250; ++i)
        chord('Z');
    EXPECT_EQ(editor.level.ground.size(), 3u); // the first append dropped out
    point_at(5, 5);
    press_left();
    std::vector<uint8_t> edited = encode_level(editor.level);
    chord('Y'); // nothing to redo past a new edit
    EXPECT_EQ(encode_level(editor.level), edited);
}
