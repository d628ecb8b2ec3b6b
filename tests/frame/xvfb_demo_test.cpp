// The demo program on a real X server (Xvfb): its window, what it draws, the full-screen
// switch that the server refuses with a message box, and Escape ending it with exit code 0.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <poll.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#ifdef FRAME_DEMO_WITH_RAW_MOUSE
#include "tests/rawmouse/xvfb_injector.h"
#endif

// Last: Xlib's macros (None, Bool, Status) must not reach the test framework's headers.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto DEADLINE = std::chrono::seconds(60);

// Re-checks a condition until it holds or the deadline passes.
bool wait_for(const std::function<bool()>& condition) {
    const auto end = Clock::now() + DEADLINE;
    while (Clock::now() < end) {
        if (condition()) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return condition();
}

std::string command_output(const std::string& command) {
    std::string out;
    FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
    if (!pipe) {
        return out;
    }
    char buffer[4096];
    size_t n = 0;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        out.append(buffer, n);
    }
    pclose(pipe);
    return out;
}

struct TreeWindow {
    std::string id;
    int width = 0, height = 0;
};

// Finds a top-level window by its exact title in `xwininfo -root -tree`.
std::optional<TreeWindow> find_window(const std::string& title) {
    std::istringstream tree(command_output("xwininfo -root -tree"));
    std::string line;
    const std::string quoted = "\"" + title + "\"";
    while (std::getline(tree, line)) {
        const auto at = line.find(quoted);
        if (at == std::string::npos) {
            continue;
        }
        TreeWindow w;
        std::istringstream fields(line);
        fields >> w.id;
        const auto size_at = line.find(')', at);
        if (size_at != std::string::npos &&
            std::sscanf(line.c_str() + size_at + 1, " %dx%d", &w.width, &w.height) == 2) {
            return w;
        }
    }
    return std::nullopt;
}

bool viewable(const std::string& id) {
    return command_output("xwininfo -id " + id).find("IsViewable") != std::string::npos;
}

// Focuses a window and types keys into it; bounded, so a lost focus fails the test instead of
// hanging it.
void send_keys(const std::string& id, const std::string& keys) {
    command_output("timeout 30 xdotool windowfocus --sync " + id +
                   (keys.empty() ? "" : " key " + keys));
}

pid_t spawn(const std::vector<std::string>& args, int stdout_fd) {
    const pid_t pid = fork();
    if (pid == 0) {
        if (stdout_fd >= 0) {
            dup2(stdout_fd, 1);
        }
        std::vector<char*> argv;
        for (const std::string& a : args) {
            argv.push_back(const_cast<char*>(a.c_str()));
        }
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    return pid;
}

class XvfbDemoTest : public ::testing::Test {
  protected:
    pid_t xvfb = -1;
    pid_t demo = -1;

    void SetUp() override {
        int fds[2];
        ASSERT_EQ(pipe(fds), 0);
        xvfb = spawn({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", "1024x768x24",
                      "-noreset", "-nolisten", "tcp"},
                     -1);
        close(fds[1]);
        std::string number;
        pollfd watch{fds[0], POLLIN, 0};
        char c = 0;
        while (poll(&watch, 1, 60000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n') {
            number += c;
        }
        close(fds[0]);
        ASSERT_FALSE(number.empty()) << "Xvfb gave no display number";
        setenv("DISPLAY", (":" + number).c_str(), 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        unsetenv("SDL_VIDEODRIVER");
        // The system GL and X libraries leak; that is not the demo's exit status to judge.
        const char* asan = getenv("ASAN_OPTIONS");
        setenv("ASAN_OPTIONS", (std::string(asan ? asan : "") + ":detect_leaks=0").c_str(), 1);
    }

    void TearDown() override {
        if (demo > 0) {
            kill(demo, SIGKILL);
            waitpid(demo, nullptr, 0);
        }
        if (xvfb > 0) {
            kill(xvfb, SIGTERM);
            waitpid(xvfb, nullptr, 0);
        }
    }

    std::string out_path;

    // Starts the demo with its output in a file; true once its window is mapped.
    bool start_demo(std::optional<TreeWindow>& window) {
        out_path = testing::TempDir() + "frame_demo_out_" + std::to_string(getpid()) + ".txt";
        const int out = open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (out < 0) {
            return false;
        }
        demo = spawn({FRAME_DEMO_PATH}, out);
        close(out);
        return wait_for([&] {
            return (window = find_window("Frame demo")).has_value() && viewable(window->id);
        });
    }

    // How many times the demo has written this line.
    int demo_said(const std::string& line) const {
        std::ifstream in(out_path);
        int count = 0;
        for (std::string got; std::getline(in, got);) {
            count += got == line ? 1 : 0;
        }
        return count;
    }

    bool demo_exited_with_zero() {
        int status = -1;
        if (!wait_for([&] { return waitpid(demo, &status, WNOHANG) == demo; })) {
            return false;
        }
        demo = -1;
        return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }

    // How many pixels of a root-window rectangle have exactly this colour.
    static int count_pixels(int x, int y, int width, int height, unsigned long colour) {
        Display* display = XOpenDisplay(nullptr);
        if (!display) {
            return 0;
        }
        int count = 0;
        XImage* image =
            XGetImage(display, DefaultRootWindow(display), x, y, width, height, AllPlanes, ZPixmap);
        if (image) {
            for (int row = 0; row < height; ++row) {
                for (int col = 0; col < width; ++col) {
                    count += (XGetPixel(image, col, row) & 0xFFFFFFul) == colour ? 1 : 0;
                }
            }
            XDestroyImage(image);
        }
        XCloseDisplay(display);
        return count;
    }

    // The colour at a root-window position.
    static std::optional<unsigned long> pixel_at(int x, int y) {
        Display* display = XOpenDisplay(nullptr);
        if (!display) {
            return std::nullopt;
        }
        XImage* image =
            XGetImage(display, DefaultRootWindow(display), x, y, 1, 1, AllPlanes, ZPixmap);
        std::optional<unsigned long> value;
        if (image) {
            value = XGetPixel(image, 0, 0) & 0xFFFFFFul;
            XDestroyImage(image);
        }
        XCloseDisplay(display);
        return value;
    }
};

TEST_F(XvfbDemoTest, WindowDrawsRefusesFullScreenWithABoxAndQuitsOnEscape) {
    const std::string out_path = testing::TempDir() + "frame_demo_out.txt";
    const int out = open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(out, 0);
    demo = spawn({FRAME_DEMO_PATH}, out);
    close(out);

    std::optional<TreeWindow> window;
    ASSERT_TRUE(wait_for(
        [&] { return (window = find_window("Frame demo")).has_value() && viewable(window->id); }));
    EXPECT_EQ(window->width, 640);
    EXPECT_EQ(window->height, 480);

    // Red square left of the middle, dark blue ground at the edge (no window manager: the window
    // sits at the origin of the screen).
    EXPECT_TRUE(wait_for([] { return pixel_at(181, 240) == 0xFF0000ul; }))
        << std::hex << pixel_at(181, 240).value_or(0);
    const unsigned long ground = pixel_at(5, 5).value_or(0);
    EXPECT_EQ(ground & 0xFFFF00ul, 0ul);
    EXPECT_NEAR(static_cast<int>(ground & 0xFF), 102, 2);
#ifdef FRAME_DEMO_WITH_ASSETS
    // The checkerboard texture: yellow cell top left, green top right.
    EXPECT_TRUE(wait_for([] { return pixel_at(401, 182) == 0xFFFF00ul; }))
        << std::hex << pixel_at(401, 182).value_or(0);
    EXPECT_EQ(pixel_at(517, 182), 0x00FF00ul);
    // The line of text: white glyph pixels near the top left.
    EXPECT_GT(count_pixels(25, 30, 240, 50, 0xFFFFFFul), 20);
#endif

    // Xvfb offers no 640x480 mode: the switch is refused with a box, then a window again.
    send_keys(window->id, "F1");
    std::optional<TreeWindow> box;
    ASSERT_TRUE(
        wait_for([&] { return (box = find_window("Error")).has_value() && viewable(box->id); }));
    send_keys(box->id, "Return");
    ASSERT_TRUE(wait_for([&] {
        window = find_window("Frame demo");
        return !find_window("Error") && window && window->width == 640;
    }));
    EXPECT_EQ(window->height, 480);
    // The new window is mapped and drawn before it is given keys.
    ASSERT_TRUE(wait_for([&] { return viewable(window->id) && pixel_at(181, 240) == 0xFF0000ul; }));

    send_keys(window->id, "Escape");
    EXPECT_TRUE(demo_exited_with_zero());
}

#ifdef FRAME_DEMO_WITH_RAW_MOUSE
TEST_F(XvfbDemoTest, RawMouseReachesTheProgramOnlyWhileItHasTheFocus) {
    std::optional<TreeWindow> window;
    ASSERT_TRUE(start_demo(window));
    XvfbInjector mouse;
    ASSERT_TRUE(mouse.open(getenv("DISPLAY")));
    ASSERT_TRUE(wait_for([&] { return demo_said("focus 1"); }));

    mouse.move(5, 7);
    EXPECT_TRUE(wait_for([&] { return demo_said("mouse 0 5 7 0 0 0 0"); }));
    mouse.button(1, true);
    EXPECT_TRUE(wait_for([&] { return demo_said("mouse 0 0 0 0 1 0 0"); }));
    mouse.move_xtest_pointer(9, 9); // the automation pointer is nobody's mouse
    mouse.button(1, false);
    mouse.move(1, 1);
    EXPECT_TRUE(wait_for([&] { return demo_said("mouse 0 1 1 0 0 0 0"); }));

    // Without the keyboard focus the window gets no raw input.
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    XSetInputFocus(display, None, RevertToNone, CurrentTime);
    XSync(display, False);
    XCloseDisplay(display);
    ASSERT_TRUE(wait_for([&] { return demo_said("focus 0"); }));
    mouse.move(11, 13);

    send_keys(window->id, "");
    ASSERT_TRUE(wait_for([&] { return demo_said("focus 1") == 2; }));
    mouse.move(2, 3);
    EXPECT_TRUE(wait_for([&] { return demo_said("mouse 0 2 3 0 0 0 0"); }));
    EXPECT_EQ(demo_said("mouse 0 11 13 0 0 0 0"), 0);
    EXPECT_EQ(demo_said("mouse 0 9 9 0 0 0 0"), 0);
    mouse.close();

    send_keys(window->id, "Escape");
    EXPECT_TRUE(demo_exited_with_zero());
}
#endif

} // namespace
