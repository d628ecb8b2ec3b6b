#include "level/level_file.h"
#include "tests/editing/e2e_support.h"

#include <fstream>

namespace {

class LeveleditE2E : public ProgramE2E {
  protected:
    LevelData saved() {
        LevelData level;
        level.ground.clear();
        read_level_file((folder / "level.svg").string(), level);
        return level;
    }
};

} // namespace

TEST_F(LeveleditE2E, SavesTheStartLevelThenAClickAddsAGroundPoint) {
    RunningProgram p(program("leveledit"), folder.string());
    std::string window = focused_main_window();
    ASSERT_FALSE(window.empty());
    ASSERT_TRUE(press_until("s", [&] { return size_of("level.svg") == 148; }));
    EXPECT_EQ(saved().ground.size(), 2u);

    // The cursor is put back at (400, 300) every frame, inside the window at the origin.
    x.xdotool("mousedown 1");
    ASSERT_TRUE(press_until("s", [&] { return saved().ground.size() == 3; }));
    x.xdotool("mouseup 1");
    EXPECT_EQ(saved().base.size(), 3u);
    quit_with_escape(p, window);
}

TEST_F(LeveleditE2E, LoadingADamagedFileShowsTheErrorAndKeepsTheLevel) {
    std::ofstream(folder / "level.svg", std::ios::binary) << "LSD"; // shorter than a header
    RunningProgram p(program("leveledit"), folder.string());
    std::string window = focused_main_window();
    ASSERT_FALSE(window.empty());
    std::string box;
    ASSERT_TRUE(press_until("l", [&] { return error_box_or_failure(box); }));
    ASSERT_TRUE(dismiss_error_box(box));
    ASSERT_TRUE(p.running());

    // The level in memory is still the untouched one: saving writes it whole.
    x.xdotool("windowfocus --sync " + window);
    ASSERT_TRUE(press_until("s", [&] { return size_of("level.svg") == 148; }));
    LevelData level = saved();
    ASSERT_EQ(level.ground.size(), 2u);
    EXPECT_FLOAT_EQ(level.ground[0].x, -10);
    EXPECT_EQ(level.blobs.size(), 1u);
    quit_with_escape(p, window);
}
