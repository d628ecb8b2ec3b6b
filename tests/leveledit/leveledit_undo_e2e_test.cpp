#include "level/level_file.h"
#include "tests/editing/e2e_support.h"

#include <fstream>
#include <iterator>

namespace {

using LeveleditUndoE2E = ProgramE2E;

} // namespace

TEST_F(LeveleditUndoE2E, CtrlZTakesBackAClickAndSavesTheStartLevel) {
    RunningProgram p(program("leveledit"), folder.string());
    std::string window = focused_main_window();
    ASSERT_FALSE(window.empty());
    auto saved_points = [&] {
        LevelData level;
        level.ground.clear();
        read_level_file((folder / "level.svg").string(), level);
        return level.ground.size();
    };
    ASSERT_TRUE(press_until("s", [&] { return saved_points() == 2; })); // taking input
    x.xdotool("mousedown 1");
    ASSERT_TRUE(press_until("s", [&] { return saved_points() == 3; }));
    x.xdotool("mouseup 1");

    x.xdotool("keydown ctrl+z"); // held: one undo
    ASSERT_TRUE(press_until("s", [&] { return saved_points() == 2; }));
    x.xdotool("keyup ctrl+z");
    std::ifstream file(folder / "level.svg", std::ios::binary);
    std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file), {}};
    EXPECT_EQ(bytes, encode_level(editor_start_level()));
    quit_with_escape(p, window);
}
