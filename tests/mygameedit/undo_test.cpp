#include "mygameedit/ground_editor.h"

#include "tests/editing/editor_fixture.h"

using GroundUndoTest = EditorTest<GroundEditor, ground_editor_step>;

TEST_F(GroundUndoTest, AnAppendAndADragUndoToTheStartBytesAndRedoWithTheirPointer) {
    auto chord = [&](char key) {
        in.hold(KEY_CONTROL);
        press_key(key_letter(key));
        in.release(KEY_CONTROL);
    };
    std::vector<uint8_t> start = encode_mygame(editor.ground);
    editor.offset = {40, 50};
    press_left();
    step();
    in.frame.right_button = true; // bottom point 0 from (-10, -10) to (-12, -8)
    for (float x : {-9, -12}) {
        editor.offset = {x * 10, -80};
        step();
    }
    in.frame.right_button = false;
    std::vector<uint8_t> end = encode_mygame(editor.ground);
    chord('Z');
    EXPECT_EQ(editor.ground.top.size(), 3u); // the drag alone undone
    chord('Z');
    EXPECT_EQ(encode_mygame(editor.ground), start);
    chord('Y');
    chord('Y');
    EXPECT_EQ(encode_mygame(editor.ground), end);
    EXPECT_FLOAT_EQ(editor.pointer.x, -12); // where the drag ended, its point selected
    EXPECT_EQ(editor.selection, 0);
    EXPECT_TRUE(editor.selection_is_bottom);
}
