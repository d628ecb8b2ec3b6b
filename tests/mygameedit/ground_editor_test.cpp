#include "mygameedit/ground_editor.h"

#include "tests/editing/editor_fixture.h"

#include <fstream>

namespace fs = std::filesystem;

namespace {

using GroundEditorTest = EditorTest<GroundEditor, ground_editor_step>;

} // namespace

TEST_F(GroundEditorTest, PointerUpIsUpAndSpaceScrollsSidewaysFromTheNextFrame) {
    in.hold(KEY_SPACE).cursor_moved(30, 20); // 30 left of and 20 above the centre
    step();
    EXPECT_FLOAT_EQ(editor.pointer.x, -3);
    EXPECT_FLOAT_EQ(editor.pointer.y, 2);
    EXPECT_FLOAT_EQ(editor.pan_x, 3);
    in.still();
    step();
    EXPECT_FLOAT_EQ(editor.pointer.x, 0);
}

TEST_F(GroundEditorTest, AppendsOnePairThreeDeepAndDragsOrKeepsTheSelection) {
    step();                   // arm
    editor.offset = {40, 50}; // world (4, 5)
    in.frame.left_button = true;
    for (int i = 0; i < 10; ++i)
        step();
    ASSERT_EQ(editor.ground.top.size(), 3u);
    EXPECT_FLOAT_EQ(editor.ground.top[2].x, 4);
    EXPECT_FLOAT_EQ(editor.ground.bottom[2].y, 2);
    in.frame.left_button = false;

    editor.offset = {90, -90}; // near bottom point 1 at (10, -10)
    in.frame.right_button = true;
    step();
    EXPECT_EQ(editor.selection, 1);
    EXPECT_TRUE(editor.selection_is_bottom);
    EXPECT_FLOAT_EQ(editor.ground.bottom[1].x, 9);
    in.frame.right_button = false;
    step();
    editor.pan_x = 100; // far from everything: the old index, now a top point
    in.frame.right_button = true;
    step();
    EXPECT_EQ(editor.selection, 1);
    EXPECT_FALSE(editor.selection_is_bottom);
    EXPECT_FLOAT_EQ(editor.ground.top[1].x, 109);
}

TEST_F(GroundEditorTest, SavesFiftySixBytesAndReportsFailuresChangingNothing) {
    press_key(key_letter('S'));
    EXPECT_EQ(fs::file_size(editor.path), 56u);

    std::ofstream(editor.path, std::ios::binary) << "LSD"; // damaged
    press_key(key_letter('L'));
    ASSERT_EQ(errors.shown, std::vector<std::string>{"Error: couldnt load the file"});
    EXPECT_EQ(editor.ground.top.size(), 2u);

    editor.path = (dir / "missing" / "MyGame.svg").string();
    press_key(key_letter('S'));
    ASSERT_EQ(errors.shown.size(), 2u);
    EXPECT_EQ(errors.shown[1], "Error: couldnt save the file");
}
