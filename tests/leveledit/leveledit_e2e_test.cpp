// The level editor under Xvfb: its window, the save key and Escape.
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

TEST_F(LeveleditEndToEnd, SavesTheStartLevelAndEndsOnEscape) {
    std::filesystem::remove(dir / "level.svg");
    start();
    ASSERT_NE(game_window(), 0u);
    ASSERT_TRUE(press_until("s", [&] { return saved_size_is(148); }));
    EXPECT_EQ(saved().ground.size(), 2u);
    EXPECT_EQ(saved().blobs.size(), 1u);
    x.tap("Escape");
    expect_clean_exit();
}

} // namespace
