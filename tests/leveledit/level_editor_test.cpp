#include "leveledit/level_editor.h"

#include "tests/editing/editor_fixture.h"

#include <fstream>

namespace {

struct LevelEditorTest : EditorTest<LevelEditor, level_editor_step> {
    // Puts the pointer at world (x, y) with the view unscrolled.
    void point_at(float x, float y) { editor.offset = {x * 10, -y * 10}; }
};

} // namespace

// The start level: ground (-10, -3), (10, -3) over base (-10, -10), (10, -10), a blob at (3, 1).
TEST_F(LevelEditorTest, BlobsAndPointsOncePerPressTypesAndDrags) {
    editor.level.ground[0].type = 2;
    editor.level.ground[1].type = 3;
    editor.level.blobs[0].kind = 0;
    point_at(15, 1); // new segment (10, -3) -> (15, 1): d = (5, 4)
    for (bool down : {true, false, true, true, true, false}) { // held since start: not armed
        down ? in.hold(key_letter('I')) : in.release(key_letter('I'));
        in.frame.left_button = down;
        step();
    }
    // One new blob, present; every blob becomes kind 1.
    EXPECT_EQ(editor.level.blobs, (std::vector<Blob>{{3, 1, 1, 1}, {15, 1, 1, 1}}));
    using Ground = std::vector<GroundPoint>; // the new point continues segment 0's surface
    EXPECT_EQ(editor.level.ground, (Ground{{-10, -3, 1, 2}, {10, -3, 1, 2}, {15, 1, 1, 2}}));
    // Its base is the segment turned a quarter, (15 + 4, 1 - 5); the old ones stay.
    EXPECT_EQ(editor.level.base, (std::vector<BasePoint>{{-10, -10}, {10, -10}, {19, -4}}));
    LevelData empty; // no segment yet to turn: a band of fixed depth below the first point
    append_ground_point(empty, 2, 6);
    EXPECT_EQ(empty.base.at(0), (BasePoint{2, 3}));

    // R resets every segment's surface; the highest held digit retypes the selected point.
    in.hold(key_letter('R'));
    step();
    // The last point starts no segment.
    EXPECT_EQ(editor.level.ground, (Ground{{-10, -3, 1, 1}, {10, -3, 1, 1}, {15, 1, 1, 2}}));
    in.release(key_letter('R'));
    editor.point_selection = 2;
    editor.selection_is_base = true; // digits still retype the ground point
    in.hold(key_digit(1)).hold(key_digit(5)).hold(key_digit(3));
    step();
    EXPECT_EQ(editor.level.ground[2].type, 5);
    in.release(key_digit(5));
    step();
    EXPECT_EQ(editor.level.ground[2].type, 3);
    in.release(key_digit(3));
    step();
    EXPECT_EQ(editor.level.ground[2].type, 1);
    in.release(key_digit(1));

    // The right button picks the nearest point within 20, a base point only when nearer than
    // any ground point, and drags it while held; with none near, the old index follows.
    point_at(9, -8); // base point 1 at (10, -10) is nearer than ground point 1 at (10, -3)
    in.frame.right_button = true;
    step();
    in.cursor_moved(0, 10); // held: keeps dragging, one unit up
    step();
    EXPECT_EQ(editor.point_selection, 1);
    EXPECT_TRUE(editor.selection_is_base);
    EXPECT_EQ(editor.level.base[1], (BasePoint{9, -7}));
    in.cursor_moved(0, 0).frame.right_button = false;
    step();
    editor.pan_x = 100;
    in.frame.right_button = true;
    step();
    EXPECT_FALSE(editor.selection_is_base);
    EXPECT_EQ(editor.level.ground[1], (GroundPoint{109, -7, 1, 1}));
    in.frame.right_button = false;
    editor.blob_selection = 1, editor.pan_x = 0;
    point_at(3, 2); // P picks blob 0, the nearest, and carries it to the pointer
    press_key(key_letter('P'));
    EXPECT_EQ(editor.level.blobs[0], (Blob{3, 2, 1, 1}));
    EXPECT_NE(editor.pointer_colour.green + editor.pointer_colour.blue, 0); // it cycles
}

TEST_F(LevelEditorTest, SpaceScrollsWithThePointerOnItsWorldPointUntilTheClamp) {
    point_at(2, 1);
    in.hold(KEY_SPACE).cursor_moved(30, -20); // 30 left of and 20 below the centre
    step(); // this frame the pointer moves, the view follows from the next one
    EXPECT_FLOAT_EQ(editor.pointer_x, -1);
    EXPECT_FLOAT_EQ(editor.pointer_y, -1);
    EXPECT_FLOAT_EQ(editor.pan_x, 3);
    EXPECT_FLOAT_EQ(editor.pan_y, -2);
    in.cursor_moved(200, 0); // at the clamp the pointer slides over the world
    step();
    in.cursor_moved(0, 0);
    step();
    EXPECT_FLOAT_EQ(editor.pointer_y, 1);
    EXPECT_FLOAT_EQ(editor.pointer_x, 23 - 17); // never further than 17 out
}

TEST_F(LevelEditorTest, FailedLoadAndSaveShowTheErrorAndKeepTheLevel) {
    const LevelData start = editor.level;
    press_key(key_letter('S'));
    editor.point_selection = 7;
    press_key(key_letter('L')); // never past the loaded points
    EXPECT_EQ(editor.point_selection, 0);
    std::filesystem::remove(editor.path);
    press_key(key_letter('L'));                            // no file
    std::ofstream(editor.path, std::ios::binary) << "LSD"; // shorter than a header
    press_key(key_letter('L'));
    editor.path = (dir / "no_such_dir" / "level.svg").string();
    press_key(key_letter('S'));
    EXPECT_EQ(errors.shown, (std::vector<std::string>{"Error: couldnt load the file",
                                                      "Error: couldnt load the file",
                                                      "Error: couldnt save the file"}));
    EXPECT_EQ(editor.level, start);
}

// Each gesture is one step: undone back to the start bytes, the drag where it began, redone
// with Ctrl+Y and Ctrl+Shift+Z; a held Ctrl+Z undoes once; the last 200 steps are kept and a
// new edit ends redo.
TEST_F(LevelEditorTest, UndoAndRedoEveryGesture) {
    std::vector<std::vector<uint8_t>> states{encode_level(editor.level)};
    auto edited = [&] { states.push_back(encode_level(editor.level)); };
    press_key(key_digit(2)); // retypes ground point 0
    edited();
    point_at(15, 1);
    press(in.frame.left_button);
    edited();
    in.hold(key_digit(7)); // a frame with no editing input: the drag is a gesture of its own
    step();
    in.release(key_digit(7));
    in.frame.right_button = true; // base point 2 from (19, -4), in three frames
    for (float x : {15, 16, 18}) {
        point_at(x, x - 19);
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
    step();
    in.hold(key_letter('P')); // picks the new blob, the nearest, and drags it along
    for (float x : {16, 15}) {
        point_at(x, -4);
        step();
    }
    in.release(key_letter('P'));
    edited();
    press_key(key_letter('L')); // back to the saved level: one step
    edited();
    EXPECT_EQ(states.back(), states[4]);
    EXPECT_EQ(editor.blob_selection, 0); // blob 1 is gone

    editor.pan_x = editor.pan_y = 7; // scrolled since the last gesture
    for (size_t k = states.size() - 1; k-- > 0;) {
        chord('Z');
        ASSERT_EQ(encode_level(editor.level), states[k]) << "undo to " << k;
        EXPECT_TRUE(editor.pan_x == 0 && editor.pan_y == 0) << k; // and the view with it
        EXPECT_EQ(editor.selection_is_base, k >= 2) << k; // base point 2, picked by the drag
        EXPECT_EQ(editor.point_selection, k >= 2 ? 2 : 0) << k;
        EXPECT_EQ(editor.blob_selection, k == 6 ? 1 : 0) << k; // as the drag of blob 1 left it
        if (k == 2) {                                          // the drag is undone where it began
            EXPECT_EQ(std::pair(editor.pointer_x, editor.pointer_y), std::pair(15.0f, -4.0f));
        }
    }
    for (size_t k = 1; k < states.size(); ++k) {
        chord(k % 2 ? 'Y' : 'Z', k % 2 == 0);
        ASSERT_EQ(encode_level(editor.level), states[k]) << "redo to " << k;
    }

    for (int i = 0; i < 201; ++i)
        press(in.frame.left_button);
    in.hold(KEY_CONTROL).hold(key_letter('Z'));
    for (int i = 0; i < 5; ++i)
        step(); // held: one undo
    in.release(key_letter('Z'));
    EXPECT_EQ(editor.level.ground.size(), 3u + 200);
    for (int i = 0; i < 250; ++i)
        chord('Z');
    EXPECT_EQ(editor.level.ground.size(), 4u); // the first append dropped out
    point_at(5, 5);
    press(in.frame.left_button);
    const std::vector<uint8_t> last = encode_level(editor.level);
    chord('Y'); // nothing to redo past a new edit
    EXPECT_EQ(encode_level(editor.level), last);
}
