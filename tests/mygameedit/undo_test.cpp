#include "mygameedit/ground_editor.h"

#include "tests/editing/editor_fixture.h"

namespace {

struct GroundUndoTest : EditorTest<GroundEditor, ground_editor_step> {
    void point_at(float x, float y) { editor.offset = {x * 10, y * 10}; } // view unscrolled
    std::vector<uint8_t> bytes() const { return encode_mygame(editor.ground); }
    void drag(std::initializer_list<Vec2> path) {
        in.frame.right_button = true;
        for (Vec2 p : path) {
            point_at(p.x, p.y);
            step();
        }
        in.frame.right_button = false;
        step();
    }
    void chord(char key, bool shift = false) {
        in.hold(KEY_CONTROL);
        shift ? in.hold(KEY_SHIFT) : in.release(KEY_SHIFT);
        press_key(key_letter(key));
        in.release(KEY_CONTROL).release(KEY_SHIFT);
    }
};

} // namespace

TEST_F(GroundUndoTest, EditsUndoToTheStartBytesAndRedoToTheEndWithTheirPointer) {
    std::vector<std::vector<uint8_t>> states{bytes()};
    point_at(4, 5);
    press_left();
    states.push_back(bytes());
    press_key(key_letter('S'));
    drag({{-9, -9}, {-11, -8}, {-12, -8}}); // bottom point 0, from (-10, -10)
    states.push_back(bytes());
    press_key(key_letter('L')); // back to the saved ground: one step
    EXPECT_EQ(bytes(), states[1]);
    states.push_back(bytes());

    for (size_t k = states.size() - 1; k-- > 0;) {
        chord('Z');
        ASSERT_EQ(bytes(), states[k]) << "undo to " << k;
    }
    for (size_t k = 1; k < states.size(); ++k) {
        chord(k == 2 ? 'Y' : 'Z', true);
        ASSERT_EQ(bytes(), states[k]) << "redo to " << k;
        if (k == 2) { // the drag ends where it ended, its point selected
            EXPECT_FLOAT_EQ(editor.pointer.x, -12);
            EXPECT_FLOAT_EQ(editor.pointer.y, -8);
            EXPECT_EQ(editor.selection, 0);
            EXPECT_TRUE(editor.selection_is_bottom);
        }
    }
}
