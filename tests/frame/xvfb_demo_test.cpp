// The demo program on a real X server (Xvfb): its window, what it draws, the full-screen
// switch that the server refuses with a message box, and Escape ending it with exit code 0.
#include "tests/support/x_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

#ifdef FRAME_DEMO_WITH_RAW_MOUSE
#include "tests/support/xvfb_injector.h"
#endif

// Last: Xlib's macros (None, Bool, Status) must not reach the test framework's headers.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

class XvfbDemoTest : public ::testing::Test {
  protected:
    XSession x;
    std::filesystem::path folder;
    std::unique_ptr<RunningProgram> demo;

    void SetUp() override {
        ASSERT_TRUE(x.ok()) << "Xvfb gave no display number";
        folder = testing::TempDir() + "frame_demo_" + std::to_string(getpid());
        std::filesystem::create_directories(folder);
    }
    void TearDown() override {
        demo.reset(); // killed if still running
        if (!folder.empty()) {
            std::filesystem::remove_all(folder);
        }
    }

    // Starts the demo with its output in a file; true once its window is mapped.
    bool start_demo(XWindow& window) {
        demo = std::make_unique<RunningProgram>(FRAME_DEMO_PATH, folder.string());
        return wait_until([&] {
            window = x.window("Frame demo");
            return !window.id.empty() && x.viewable(window.id);
        });
    }

    // Focuses a window and types keys into it; bounded, so a lost focus fails the test
    // instead of hanging it.
    void send_keys(const std::string& id, const std::string& keys) {
        x.run("timeout 30 xdotool windowfocus --sync " + id + (keys.empty() ? "" : " key " + keys) +
              " 2>/dev/null");
    }

    // How many times the demo has written this line.
    int demo_said(const std::string& line) const {
        std::ifstream in(folder / "output.txt");
        int count = 0;
        for (std::string got; std::getline(in, got);) {
            count += got == line ? 1 : 0;
        }
        return count;
    }

    // The colours of a root-window rectangle, row by row; empty if it cannot be read.
    static std::vector<unsigned long> grab(int x, int y, int width, int height) {
        std::vector<unsigned long> pixels;
        Display* display = XOpenDisplay(nullptr);
        if (!display) {
            return pixels;
        }
        if (XImage* image = XGetImage(display, DefaultRootWindow(display), x, y, width, height,
                                      AllPlanes, ZPixmap)) {
            for (int row = 0; row < height; ++row) {
                for (int col = 0; col < width; ++col) {
                    pixels.push_back(XGetPixel(image, col, row) & 0xFFFFFFul);
                }
            }
            XDestroyImage(image);
        }
        XCloseDisplay(display);
        return pixels;
    }
    static std::optional<unsigned long> pixel_at(int x, int y) {
        const auto pixels = grab(x, y, 1, 1);
        return pixels.empty() ? std::nullopt : std::optional(pixels[0]);
    }
};

TEST_F(XvfbDemoTest, WindowDrawsRefusesFullScreenWithABoxAndQuitsOnEscape) {
    XWindow window;
    ASSERT_TRUE(start_demo(window));
    EXPECT_EQ(window.width, 640);
    EXPECT_EQ(window.height, 480);

    // Red square left of the middle, dark blue ground at the edge (no window manager: the window
    // sits at the origin of the screen).
    EXPECT_TRUE(wait_until([] { return pixel_at(181, 240) == 0xFF0000ul; }))
        << std::hex << pixel_at(181, 240).value_or(0);
    const unsigned long ground = pixel_at(5, 5).value_or(0);
    EXPECT_EQ(ground & 0xFFFF00ul, 0ul);
    EXPECT_NEAR(static_cast<int>(ground & 0xFF), 102, 2);
#ifdef FRAME_DEMO_WITH_ASSETS
    // The checkerboard texture: yellow cell top left, green top right.
    EXPECT_TRUE(wait_until([] { return pixel_at(401, 182) == 0xFFFF00ul; }))
        << std::hex << pixel_at(401, 182).value_or(0);
    EXPECT_EQ(pixel_at(517, 182), 0x00FF00ul);
    // The line of text: white glyph pixels near the top left.
    const auto text = grab(25, 30, 240, 50);
    EXPECT_GT(std::count(text.begin(), text.end(), 0xFFFFFFul), 20);
#endif

    // Xvfb offers no 640x480 mode: the switch is refused with a box, then a window again.
    send_keys(window.id, "F1");
    std::string box;
    ASSERT_TRUE(
        wait_until([&] { return !(box = x.find_window("Error")).empty() && x.viewable(box); }));
    send_keys(box, "Return");
    ASSERT_TRUE(wait_until([&] {
        window = x.window("Frame demo");
        return x.find_window("Error").empty() && !window.id.empty() && window.width == 640;
    }));
    EXPECT_EQ(window.height, 480);
    // The new window is mapped and drawn before it is given keys.
    ASSERT_TRUE(
        wait_until([&] { return x.viewable(window.id) && pixel_at(181, 240) == 0xFF0000ul; }));

    send_keys(window.id, "Escape");
    EXPECT_EQ(demo->wait_exit(), 0);
}

#ifdef FRAME_DEMO_WITH_RAW_MOUSE
TEST_F(XvfbDemoTest, RawMouseReachesTheProgramOnlyWhileItHasTheFocus) {
    XWindow window;
    ASSERT_TRUE(start_demo(window));
    XvfbInjector mouse;
    ASSERT_TRUE(mouse.open(getenv("DISPLAY")));
    ASSERT_TRUE(wait_until([&] { return demo_said("focus 1"); }));

    mouse.move(5, 7);
    EXPECT_TRUE(wait_until([&] { return demo_said("mouse 0 5 7 0 0 0 0"); }));
    mouse.button(1, true);
    EXPECT_TRUE(wait_until([&] { return demo_said("mouse 0 0 0 0 1 0 0"); }));
    mouse.move_xtest_pointer(9, 9); // the automation pointer is nobody's mouse
    mouse.button(1, false);
    mouse.move(1, 1);
    EXPECT_TRUE(wait_until([&] { return demo_said("mouse 0 1 1 0 0 0 0"); }));

    // Without the keyboard focus the window gets no raw input.
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    XSetInputFocus(display, None, RevertToNone, CurrentTime);
    XSync(display, False);
    XCloseDisplay(display);
    ASSERT_TRUE(wait_until([&] { return demo_said("focus 0"); }));
    mouse.move(11, 13);
    // Let the demo drain that event while it still lacks the focus: two ticks mean at least
    // one whole pump after the server made the event.
    const int ticks = demo_said("tick");
    ASSERT_TRUE(wait_until([&] { return demo_said("tick") >= ticks + 2; }));

    send_keys(window.id, "");
    ASSERT_TRUE(wait_until([&] { return demo_said("focus 1") == 2; }));
    mouse.move(2, 3);
    EXPECT_TRUE(wait_until([&] { return demo_said("mouse 0 2 3 0 0 0 0"); }));
    EXPECT_EQ(demo_said("mouse 0 11 13 0 0 0 0"), 0);
    EXPECT_EQ(demo_said("mouse 0 9 9 0 0 0 0"), 0);
    mouse.close();

    send_keys(window.id, "Escape");
    EXPECT_EQ(demo->wait_exit(), 0);
}
#endif

} // namespace
