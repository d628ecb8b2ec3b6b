#include "mygameedit/ground_editor.h"

#include "tests/editing/editor_fixture.h"

#include <fstream>

using GroundEditorTest = EditorTest<GroundEditor, ground_editor_step>;

// The start ground: top points (-10, 10), (10, 10) over bottom points (-10, -10), (10, -10).
TEST_F(GroundEditorTest, AppendsOnePairDragsAndScrollsSideways) {
    in.hold(KEY_SPACE).cursor_moved(-40, 500); // 40 right of and far above the centre
    step();
    EXPECT_FLOAT_EQ(editor.pointer.x, 4);
    EXPECT_FLOAT_EQ(editor.pointer.y, 13); // held at the edge
    EXPECT_FLOAT_EQ(editor.pan_x, -4);     // scrolls from the next frame on
    in.release(KEY_SPACE).cursor_moved(-40, -80);
    in.frame.left_button = true;
    for (int i = 0; i < 10; ++i)
        step();
    EXPECT_EQ(editor.ground.top.back(), (TopPoint{4, 5})); // one pair however long held
    EXPECT_EQ(editor.ground.bottom.back(), (BottomPoint{4, 2}));
    EXPECT_EQ(editor.ground.top.size(), 3u);

    in.frame.left_button = false;
    editor.offset = {130, -90}; // near bottom point 1 at (10, -10)
    in.cursor_moved(0, 0).frame.right_button = true;
    step();
    EXPECT_EQ(editor.selection, 1);
    EXPECT_TRUE(editor.selection_is_bottom);
    EXPECT_EQ(editor.ground.bottom[1], (BottomPoint{9, -9}));
    in.frame.right_button = false;
    step();
    editor.pan_x = 100; // far from everything: the old index, now a top point
    in.frame.right_button = true;
    step();
    EXPECT_FALSE(editor.selection_is_bottom);
    EXPECT_EQ(editor.ground.top[1], (TopPoint{113, -9}));
    in.frame.right_button = false;
    step();
    editor.pan_x = 0;
    editor.offset = {-90, 90}; // near top point 0 at (-10, 10)
    in.frame.right_button = true;
    step();
    EXPECT_EQ(editor.selection, 0);
    EXPECT_EQ(editor.ground.top[0], (TopPoint{-9, 9}));
}

TEST_F(GroundEditorTest, SavesFiftySixBytesLoadsAndReportsFailuresChangingNothing) {
    press_key(key_letter('S'));
    EXPECT_EQ(std::filesystem::file_size(editor.path), 56u);
    editor.ground.top.push_back({1, 2});
    editor.ground.bottom.push_back({1, -1});
    editor.selection = 2;
    press_key(key_letter('L'));
    EXPECT_EQ(editor.ground, mygame_start_ground());
    EXPECT_EQ(editor.selection, 0); // never past the loaded points

    std::ofstream(editor.path, std::ios::binary) << "LSD"; // damaged
    press_key(key_letter('L'));
    editor.path = (dir / "missing" / "MyGame.svg").string();
    press_key(key_letter('S'));
    EXPECT_EQ(errors.shown, (std::vector<std::string>{"Error: couldnt load the file",
                                                      "Error: couldnt save the file"}));
    EXPECT_EQ(editor.ground, mygame_start_ground());
}

// An append and a drag undo to the start bytes and redo with both chords, the drag's pointer
// and point shown.
TEST_F(GroundEditorTest, UndoAndRedoEachGesture) {
    const std::vector<uint8_t> start = encode_mygame(editor.ground);
    editor.offset = {40, 50};
    press(in.frame.left_button);
    step();
    in.frame.right_button = true; // bottom point 0 from (-10, -10) to (-12, -8)
    for (float x : {-9, -12}) {
        editor.offset = {x * 10, -80};
        step();
    }
    in.frame.right_button = false;
    const std::vector<uint8_t> end = encode_mygame(editor.ground);
    chord('Z');
    step(); // a frame later the view still shows where the drag began
    EXPECT_EQ(editor.ground.top.size(), 3u); // the drag alone undone
    EXPECT_FLOAT_EQ(editor.ground.bottom[0].x, -10);
    EXPECT_FLOAT_EQ(editor.pointer.x, -9);
    editor.pan_x = 50; // scrolled away since
    chord('Z');
    EXPECT_FLOAT_EQ(editor.pan_x, 0);
    EXPECT_EQ(encode_mygame(editor.ground), start);
    editor.selection = 1;
    chord('Y');
    chord('Z', true);
    EXPECT_EQ(encode_mygame(editor.ground), end);
    EXPECT_FLOAT_EQ(editor.pointer.x, -12); // where the drag ended, its point selected
    EXPECT_EQ(editor.selection, 0);
    EXPECT_TRUE(editor.selection_is_bottom);
}
