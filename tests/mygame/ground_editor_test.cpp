#include "mygame/ground_editor.h"

#include "tests/mygame/test_input.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct GroundEditorTest : ::testing::Test {
    fs::path dir;
    GroundEditor editor;
    FakeInput in;
    RecordingReporter errors;

    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("ground_editor_" + std::to_string(getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        editor.path = (dir / "MyGame.svg").string();
    }
    void TearDown() override { fs::remove_all(dir); }

    void step() { ground_editor_step(editor, in, errors); }
    // Puts the pointer at world (x, y) with the view unscrolled.
    void point_at(float x, float y) { editor.offset = {x * 10, y * 10}; }
};

} // namespace

TEST_F(GroundEditorTest, PointerFollowsTheMouseUpIsUp) {
    in.cursor_moved(10, 20); // cursor 10 left of and 20 above the centre
    step();
    EXPECT_FLOAT_EQ(editor.pointer.x, -1);
    EXPECT_FLOAT_EQ(editor.pointer.y, 2);
}

TEST_F(GroundEditorTest, HeldLeftButtonAppendsOnePairThreeUnitsDeep) {
    in.frame.left_button = true;
    step(); // the press was already held at start: not armed yet
    EXPECT_EQ(editor.ground.top.size(), 2u);
    in.frame.left_button = false;
    step();
    point_at(4, 5);
    in.frame.left_button = true;
    for (int i = 0; i < 10; ++i)
        step();
    ASSERT_EQ(editor.ground.top.size(), 3u);
    EXPECT_FLOAT_EQ(editor.ground.top[2].x, 4);
    EXPECT_FLOAT_EQ(editor.ground.top[2].y, 5);
    EXPECT_FLOAT_EQ(editor.ground.bottom[2].y, 2);
}

TEST_F(GroundEditorTest, RightButtonPicksTheNearestOrKeepsTheOldSelection) {
    step();          // arm
    point_at(9, -9); // near bottom point 1 at (10, -10)
    in.frame.right_button = true;
    step();
    EXPECT_EQ(editor.selection, 1);
    EXPECT_TRUE(editor.selection_is_bottom);
    EXPECT_FLOAT_EQ(editor.ground.bottom[1].x, 9);
    in.cursor_moved(-10, 0); // drag one unit right while held
    step();
    EXPECT_FLOAT_EQ(editor.ground.bottom[1].x, 10);
    in.still();
    in.frame.right_button = false;
    step();
    // Far from everything: the old index stays, and it now means a top point.
    editor.pan_x = 100;
    point_at(0, -20);
    in.frame.right_button = true;
    step();
    EXPECT_EQ(editor.selection, 1);
    EXPECT_FALSE(editor.selection_is_bottom);
    EXPECT_FLOAT_EQ(editor.ground.top[1].x, 100);
    EXPECT_FLOAT_EQ(editor.ground.top[1].y, -13); // the pointer's clamp
}

TEST_F(GroundEditorTest, SpaceScrollsSidewaysFromTheNextFrame) {
    in.hold(KEY_SPACE).cursor_moved(30, 0);
    step();
    EXPECT_FLOAT_EQ(editor.pan_x, 3);
    EXPECT_FLOAT_EQ(editor.pointer.x, -3); // computed before the scroll
    in.still();
    step();
    EXPECT_FLOAT_EQ(editor.pointer.x, 0);
}

TEST_F(GroundEditorTest, SaveWritesTheFiftySixByteFileOncePerPress) {
    step();
    in.hold(key_letter('S'));
    step();
    ASSERT_EQ(fs::file_size(editor.path), 56u);
    fs::remove(editor.path);
    step(); // still held: no second save
    EXPECT_FALSE(fs::exists(editor.path));
    EXPECT_TRUE(errors.shown.empty());
}

TEST_F(GroundEditorTest, FailedSaveAndLoadTellTheUserAndChangeNothing) {
    editor.path = (dir / "missing" / "MyGame.svg").string();
    step();
    in.hold(key_letter('S')).hold(key_letter('L'));
    step();
    ASSERT_EQ(errors.shown.size(), 2u);
    EXPECT_EQ(errors.shown[0], "Error: couldnt save the file");
    EXPECT_EQ(errors.shown[1], "Error: couldnt load the file");
    EXPECT_EQ(editor.ground.top.size(), 2u);

    editor.path = (dir / "MyGame.svg").string();
    std::ofstream(editor.path, std::ios::binary) << "LSD"; // damaged
    in.release(key_letter('S')).release(key_letter('L'));
    step();
    in.hold(key_letter('L'));
    step();
    ASSERT_EQ(errors.shown.size(), 3u);
    EXPECT_EQ(errors.shown[2], "Error: couldnt load the file");
    EXPECT_FLOAT_EQ(editor.ground.top[0].x, -10);
}

TEST_F(GroundEditorTest, LoadBringsTheSelectionIntoRange) {
    MyGameData one;
    one.top = {{1, 2}};
    one.bottom = {{1, -1}};
    std::string error;
    ASSERT_TRUE(write_mygame_file(editor.path, one, error));
    editor.selection = 1;
    step();
    in.hold(key_letter('L'));
    step();
    ASSERT_EQ(editor.ground.top.size(), 1u);
    EXPECT_EQ(editor.selection, 0);
    // Empty line: dragging does nothing.
    MyGameData none;
    ASSERT_TRUE(write_mygame_file(editor.path, none, error));
    in.release(key_letter('L'));
    step();
    in.hold(key_letter('L'));
    in.frame.right_button = true;
    step();
    step();
    EXPECT_TRUE(editor.ground.top.empty());
    EXPECT_TRUE(errors.shown.empty());
}
