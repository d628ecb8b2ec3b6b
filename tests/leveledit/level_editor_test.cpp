#include "leveledit/level_editor.h"

#include "tests/editing/editor_fixture.h"

#include <fstream>

namespace fs = std::filesystem;

namespace {

struct LevelEditorTest : EditorTest<LevelEditor, level_editor_step> {
    // Puts the pointer at world (x, y) with the view unscrolled.
    void point_at(float x, float y) { editor.offset = {x * 10, -y * 10}; }
};

} // namespace

TEST_F(LevelEditorTest, OncePerPressActionsActOnceWhileHeld) {
    point_at(5, 5);
    auto hold_both = [&](bool down, int frames) {
        down ? in.hold(key_letter('I')) : in.release(key_letter('I'));
        in.frame.left_button = down;
        for (int i = 0; i < frames; ++i)
            step();
    };
    hold_both(true, 1); // held since start: not armed
    hold_both(false, 1);
    hold_both(true, 8);
    EXPECT_EQ(editor.level.blobs.size(), 2u);
    EXPECT_EQ(editor.level.ground.size(), 3u);
    hold_both(false, 1);
    hold_both(true, 1);
    EXPECT_EQ(editor.level.blobs.size(), 3u);
    EXPECT_EQ(editor.level.ground.size(), 4u);
    for (const Blob& b : editor.level.blobs)
        EXPECT_EQ(b.kind, 1);
    EXPECT_FLOAT_EQ(editor.level.blobs[2].x, 5);
    EXPECT_FLOAT_EQ(editor.level.blobs[2].y, 5);
    EXPECT_EQ(editor.level.blobs[2].present, 1);
}

TEST_F(LevelEditorTest, AppendCopiesTheTypeForwardAndTurnsTheBase) {
    editor.level.ground[0].type = 2;
    editor.level.ground[1].type = 3;
    point_at(15, 1); // new segment (10,-3) -> (15,1): d = (5, 4)
    press_left();
    ASSERT_EQ(editor.level.ground.size(), 3u);
    EXPECT_EQ(editor.level.ground[1].type, 2); // continues segment 0's surface
    EXPECT_EQ(editor.level.ground[0].type, 2);
    EXPECT_FLOAT_EQ(editor.level.ground[2].x, 15);
    EXPECT_FLOAT_EQ(editor.level.ground[2].y, 1);
    EXPECT_EQ(editor.level.ground[2].flag, 1);
    EXPECT_FLOAT_EQ(editor.level.base[2].x, 19); // 15 + 4
    EXPECT_FLOAT_EQ(editor.level.base[2].y, -4); // 1 - 5
    // The old points keep their places.
    EXPECT_FLOAT_EQ(editor.level.base[1].x, 10);
    EXPECT_FLOAT_EQ(editor.level.base[1].y, -10);
    LevelData empty; // no segment yet to turn: a band of fixed depth below the first point
    append_ground_point(empty, 2, 6);
    EXPECT_FLOAT_EQ(empty.base.at(0).x, 2);
    EXPECT_FLOAT_EQ(empty.base.at(0).y, 3);
}

TEST_F(LevelEditorTest, RightButtonPicksNearestWithinTwentyOrKeepsTheSelection) {
    step();
    // Far from everything: the old selection (ground point 0) follows the pointer.
    editor.pan_x = 100;
    point_at(0, 0);
    in.frame.right_button = true;
    step();
    EXPECT_EQ(editor.point_selection, 0);
    EXPECT_FALSE(editor.selection_is_base);
    EXPECT_FLOAT_EQ(editor.level.ground[0].x, 100);
    in.frame.right_button = false;
    step();
    // Near base point 1 at (10, -10), nearer than ground point 1 at (10, -3).
    editor.pan_x = 0;
    point_at(9, -8);
    in.frame.right_button = true;
    step();
    EXPECT_EQ(editor.point_selection, 1);
    EXPECT_TRUE(editor.selection_is_base);
    EXPECT_FLOAT_EQ(editor.level.base[1].x, 9);
    EXPECT_FLOAT_EQ(editor.level.base[1].y, -8);
    EXPECT_FLOAT_EQ(editor.level.ground[1].y, -3);
    in.cursor_moved(0, 10); // held: keeps dragging, one unit up
    step();
    EXPECT_FLOAT_EQ(editor.level.base[1].y, -7);
}

TEST_F(LevelEditorTest, RAndDigitsActEveryFrameWithTheHighestDigitWinning) {
    point_at(20, -3);
    press_left();
    press_left(); // a line of four points
    for (GroundPoint& g : editor.level.ground)
        g.type = 4;
    in.hold(key_letter('R'));
    step();
    EXPECT_EQ(editor.level.ground[0].type, 1);
    EXPECT_EQ(editor.level.ground[2].type, 1);
    EXPECT_EQ(editor.level.ground[3].type, 4); // the last point starts no segment
    in.release(key_letter('R'));
    editor.point_selection = 2;
    editor.selection_is_base = true; // digits still retype the ground point
    in.hold(key_digit(2)).hold(key_digit(5)).hold(key_digit(3));
    step();
    EXPECT_EQ(editor.level.ground[2].type, 5);
    in.release(key_digit(5));
    step();
    EXPECT_EQ(editor.level.ground[2].type, 3);
}

TEST_F(LevelEditorTest, SpaceScrollsWithThePointerOnItsWorldPointUntilTheClamp) {
    point_at(2, 1);
    step();
    EXPECT_FLOAT_EQ(editor.pointer_x, 2);
    EXPECT_FLOAT_EQ(editor.pointer_y, 1);
    in.hold(KEY_SPACE).cursor_moved(30, -20);
    step(); // this frame the pointer moves, the view follows from the next one
    EXPECT_FLOAT_EQ(editor.pan_x, 3);
    EXPECT_FLOAT_EQ(editor.pan_y, -2);
    in.still();
    step();
    EXPECT_FLOAT_EQ(editor.pointer_x, 2);
    EXPECT_FLOAT_EQ(editor.pointer_y, 1);
    // At the clamp the view goes on scrolling and the pointer slides over the world.
    editor.offset.x = -170;
    step();
    float x_before = editor.pointer_x;
    in.cursor_moved(10, 0);
    step();
    in.still();
    step();
    EXPECT_FLOAT_EQ(editor.pointer_x, x_before + 1);
    EXPECT_FLOAT_EQ(editor.pointer_x - editor.pan_x, -17); // never further than 17 out
}

TEST_F(LevelEditorTest, FailedLoadShowsTheErrorAndKeepsTheLevel) {
    press_key(key_letter('L')); // no file
    ASSERT_EQ(errors.shown.size(), 1u);
    EXPECT_EQ(errors.shown[0], "Error: couldnt load the file");
    std::ofstream(editor.path, std::ios::binary) << "LSD"; // shorter than a header
    press_key(key_letter('L'));
    ASSERT_EQ(errors.shown.size(), 2u);
    EXPECT_EQ(editor.level.ground.size(), 2u);
    EXPECT_FLOAT_EQ(editor.level.ground[0].x, -10);

    editor.path = (dir / "no_such_dir" / "level.svg").string();
    press_key(key_letter('S'));
    ASSERT_EQ(errors.shown.size(), 3u);
    EXPECT_EQ(errors.shown[2], "Error: couldnt save the file");
}
