#include "level/level_file.h"
#include "tests/editing/e2e_support.h"

#include <csignal>
#include <cstdlib>

bool pointer_grabbed_elsewhere(const std::string& display); // pointer_grab_probe.cpp

namespace {

class PointerE2E : public ProgramE2E {
  protected:
    bool held() { return pointer_grabbed_elsewhere(std::getenv("DISPLAY")); }
    int pointer_x() { return std::atoi(x.run("xdotool getmouselocation").c_str() + 2); }

    // Clicks the left button, then saves until the file holds the new ground point.
    GroundPoint click() {
        LevelData level;
        x.xdotool("mousedown 1");
        EXPECT_TRUE(press_until("s", [&] {
            level.ground.clear();
            read_level_file((folder / "level.svg").string(), level);
            return level.ground.size() == points + 1;
        }));
        x.xdotool("mouseup 1");
        points = level.ground.size();
        return points ? level.ground.back() : GroundPoint{};
    }
    size_t points = 2; // the start level's line
};

} // namespace

// The window reaches past the screen's corner, so the put-back point (400, 300) is not in it.
TEST_F(PointerE2E, MovesAndClicksWhereverTheWindowIsAndOnlyWithTheFocus) {
    RunningProgram p(program("leveledit"), folder.string());
    std::string window = focused_main_window();
    ASSERT_FALSE(window.empty());
    x.xdotool("windowmove --sync " + window + " 450 350");
    ASSERT_TRUE(wait_until([&] { return held(); }));
    GroundPoint a = click();
    x.xdotool("mousemove_relative -- -60 -40"); // a tenth of that in world units, y up
    GroundPoint b = click();
    EXPECT_NEAR(b.x - a.x, -6, 1e-4);
    EXPECT_NEAR(b.y - a.y, 4, 1e-4);

    // Another window takes the focus: the pointer is free, and its moves are not the editor's.
    std::string pid = x.run("xmessage -title second -geometry +0+0 second >/dev/null 2>&1 & echo $!");
    std::string second = wait_for_window("second");
    x.xdotool("windowfocus --sync " + second);
    EXPECT_TRUE(wait_until([&] { return !held(); }));
    x.xdotool("mousemove 50 50");
    EXPECT_EQ(pointer_x(), 50);
    x.xdotool("mousemove_relative 100 30");

    // The focus comes back: the pointer is held again and the editor goes on where it was.
    x.xdotool("windowfocus --sync " + window);
    EXPECT_TRUE(wait_until([&] { return held() && pointer_x() >= 450; }));
    GroundPoint c = click();
    EXPECT_EQ(std::pair(c.x, c.y), std::pair(b.x, b.y));
    x.xdotool("mousemove_relative 30 0");
    EXPECT_NEAR(click().x - c.x, 3, 1e-4);
    kill(std::atoi(pid.c_str()), SIGTERM);
    quit_with_escape(p, window);
}
