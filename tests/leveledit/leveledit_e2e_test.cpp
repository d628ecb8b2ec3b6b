// The level editor under Xvfb: the saved start level, the pointer held in the window and
// moved and clicked wherever the window is, let go while another window has the focus,
// Escape.
#include "level/level_file.h"
#include "tests/support/program_e2e.h"

namespace fs = std::filesystem;

namespace {

class LeveleditEndToEnd : public ProgramEndToEnd {
  protected:
    LeveleditEndToEnd() : ProgramEndToEnd({LEVELEDIT_PROGRAM, "Kavo's New GL Framework"}) {}

    LevelData saved() {
        LevelData level;
        read_level_file((dir / "level.svg").string(), level);
        return level;
    }
    // Clicks the left button and saves (the save comes after the click within a frame);
    // returns the ground point added. The frame before sees both up, so both are presses.
    GroundPoint click() {
        EXPECT_TRUE(frame_passed());
        x.button(1, true);
        x.key("S", true);
        EXPECT_TRUE(wait_until([&] { return saved().ground.size() == points + 1; }));
        x.key("S", false);
        x.button(1, false);
        points = saved().ground.size();
        return points ? saved().ground.back() : GroundPoint{};
    }
    size_t points = 2; // the start level's line
};

// The window reaches past the screen's corner, so the put-back point (400, 300) is not in it.
TEST_F(LeveleditEndToEnd, SavesClicksAndMovesWhereverTheWindowIsAndOnlyWithTheFocus) {
    fs::remove(dir / "level.svg");
    start();
    const unsigned long editor = game_window();
    ASSERT_NE(editor, 0u);
    ASSERT_TRUE(press_until("S", [&] {
        std::error_code ec;
        return fs::file_size(dir / "level.svg", ec) == 148 && !ec;
    })) << "the start level";
    EXPECT_EQ(saved().ground.size(), 2u);
    EXPECT_EQ(saved().blobs.size(), 1u);

    x.move_window(editor, 450, 350);
    ASSERT_TRUE(wait_until([&] { return x.pointer_grabbed_elsewhere(); }));
    const GroundPoint a = click();
    x.move(-60, -40); // a tenth of that in world units, y up
    const GroundPoint b = click();
    EXPECT_NEAR(b.x - a.x, -6, 1e-4);
    EXPECT_NEAR(b.y - a.y, 4, 1e-4);

    // Another window takes the focus: the pointer is free, and its moves are not the editor's.
    ASSERT_TRUE(x.focus(x.open_window()));
    EXPECT_TRUE(wait_until([&] { return !x.pointer_grabbed_elsewhere(); }));
    x.move(100, 30);

    // The focus comes back: the pointer is held again and the editor goes on where it was.
    ASSERT_TRUE(x.focus(editor));
    EXPECT_TRUE(wait_until([&] { return x.pointer_grabbed_elsewhere(); }));
    const GroundPoint c = click();
    EXPECT_EQ(std::pair(c.x, c.y), std::pair(b.x, b.y));
    x.move(30, 0);
    EXPECT_NEAR(click().x - c.x, 3, 1e-4);
    x.tap("Escape");
    expect_clean_exit();
}

} // namespace
