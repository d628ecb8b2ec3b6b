#include "level/level_file.h"
#include "tests/mygame/e2e_support.h"
#include "tests/pointer/pointer_grab_probe.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>

namespace {

// The editor's window is moved to (450, 350), so that it reaches past the screen's corner
// and the programs' put-back point (400, 300) lies outside it.
constexpr int WINDOW_X = 450, WINDOW_Y = 350;

class PointerE2E : public ProgramE2E {
  protected:
    struct Spot {
        int x = -1, y = -1;
    };
    Spot pointer() {
        Spot s;
        std::sscanf(x.run("xdotool getmouselocation").c_str(), "x:%d y:%d", &s.x, &s.y);
        return s;
    }
    bool grabbed() { return pointer_grabbed_elsewhere(std::getenv("DISPLAY")); }

    // Clicks the left button, then saves until the file holds the new ground point.
    GroundPoint click() {
        const size_t before = ground_count;
        x.xdotool("mousedown 1");
        LevelData level;
        EXPECT_TRUE(press_until("s", [&] {
            level.ground.clear();
            read_level_file((folder / "level.svg").string(), level);
            return level.ground.size() == before + 1;
        }));
        x.xdotool("mouseup 1");
        ground_count = level.ground.size();
        return level.ground.empty() ? GroundPoint{} : level.ground.back();
    }
    size_t ground_count = 2; // the start level's line
};

} // namespace

TEST_F(PointerE2E, RelativeMovesAndClicksWhereverTheWindowIsAndOnlyWithTheFocus) {
    RunningProgram p(program("leveledit"), folder.string());
    std::string window = focused_main_window();
    ASSERT_FALSE(window.empty());
    x.xdotool("windowmove --sync " + window + " " + std::to_string(WINDOW_X) + " " +
              std::to_string(WINDOW_Y));
    ASSERT_TRUE(wait_until([&] { return grabbed(); })) << "the focused editor holds the pointer";

    // 60 left and 40 up: the pointer goes 6 units left and 4 up (a tenth of a pixel each).
    GroundPoint a = click();
    x.xdotool("mousemove_relative -- -60 -40");
    GroundPoint b = click();
    EXPECT_NEAR(b.x - a.x, -6, 1e-4);
    EXPECT_NEAR(b.y - a.y, 4, 1e-4);

    // A second window takes the focus: the pointer is free and moves the editor no more.
    std::string pid = x.run("xmessage -title second -geometry 200x100+0+0 second "
                            ">/dev/null 2>&1 & echo $!");
    std::string second = wait_for_window("second");
    ASSERT_FALSE(second.empty());
    x.xdotool("windowfocus --sync " + second);
    EXPECT_TRUE(wait_until([&] { return !grabbed(); }));
    x.xdotool("mousemove 50 50");
    EXPECT_EQ(pointer().x, 50);
    x.xdotool("mousemove_relative 100 30");

    // The focus comes back: the pointer is held in the window again and the editor goes on
    // from where it was; the moves made meanwhile were not its input.
    x.xdotool("windowfocus --sync " + window);
    EXPECT_TRUE(wait_until([&] { return grabbed() && pointer().x >= WINDOW_X; }));
    GroundPoint c = click();
    EXPECT_FLOAT_EQ(c.x, b.x);
    EXPECT_FLOAT_EQ(c.y, b.y);
    x.xdotool("mousemove_relative 30 0");
    GroundPoint d = click();
    EXPECT_NEAR(d.x - c.x, 3, 1e-4);

    kill(std::atoi(pid.c_str()), SIGTERM);
    quit_with_escape(p, window);
}
