// The level editor under Xvfb: saving, and a click that adds a ground point.
#include "level/level_file.h"
#include "tests/support/program_e2e.h"

#include <filesystem>

namespace {

class LeveleditEndToEnd : public ProgramEndToEnd {
  protected:
    LeveleditEndToEnd()
        : ProgramEndToEnd({GLIMBO_BIN "/leveledit", "Kavo's New GL Framework", 0, 0}) {}
    LevelData saved() {
        LevelData level;
        read_level_file((dir / "level.svg").string(), level);
        return level;
    }
    bool saved_size_is(uintmax_t size) {
        std::error_code ec;
        return std::filesystem::file_size(dir / "level.svg", ec) == size && !ec;
    }
};

TEST_F(LeveleditEndToEnd, SavesTheStartLevelThenAClickAddsAGroundPoint) {
    std::filesystem::remove(dir / "level.svg");
    start();
    ASSERT_NE(game_window(), 0u);
    ASSERT_TRUE(press_until("s", [&] { return saved_size_is(148); }));
    EXPECT_EQ(saved().ground.size(), 2u);
    // The cursor is put back at (400, 300) every frame, inside the window at the origin.
    x.button(1, true);
    EXPECT_TRUE(press_until("s", [&] { return saved().ground.size() == 3; }));
    x.button(1, false);
    EXPECT_EQ(saved().base.size(), 3u);
    x.tap("Escape");
    expect_clean_exit();
}

} // namespace
