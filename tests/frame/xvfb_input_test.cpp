// Input that must never be lost or stuck, end to end under Xvfb with the demo program: a
// burst of raw events while a frame is busy, keys held through the full-screen rebuild, and
// an editor started without a display.
#include "tests/support/x_client.h"
#include "tests/support/x_devices.h"
#include "tests/support/x_session.h"
#include "tests/support/xvfb_injector.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class XvfbInputTest : public ::testing::Test {
  protected:
    XSession x;
    fs::path folder;
    std::unique_ptr<RunningProgram> demo;

    void SetUp() override {
        ASSERT_TRUE(x.ok()) << "Xvfb gave no display number";
        folder = testing::TempDir() + "xvfb_input_" + std::to_string(getpid());
        fs::create_directories(folder);
    }
    void TearDown() override {
        demo.reset(); // killed if still running
        fs::remove_all(folder);
    }

    std::vector<std::string> output_lines() const {
        std::ifstream in(folder / "output.txt");
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }
    int said(const std::string& line) const {
        const auto lines = output_lines();
        return static_cast<int>(std::count(lines.begin(), lines.end(), line));
    }
    // Starts the demo and waits until its window has the keyboard focus.
    std::string start_demo() {
        demo = std::make_unique<RunningProgram>(FRAME_DEMO_PATH, folder.string());
        std::string id;
        EXPECT_TRUE(wait_until([&] { return !(id = x.find_window("Frame demo")).empty(); }));
        EXPECT_TRUE(wait_until([&] { return said("focus 1") >= 1; }));
        return id;
    }
};

TEST_F(XvfbInputTest, RawEventsWaitingBehindABusyFrameAllArrive) {
    start_demo();
    XvfbInjector mouse;
    ASSERT_TRUE(mouse.open(getenv("DISPLAY")));
    std::ofstream(folder / "stall") << "";
    ASSERT_TRUE(wait_until([&] { return said("stalling") >= 1; }));
    for (int i = 0; i < 5000; ++i) {
        if (i == 2500)
            mouse.button(1, true);
        mouse.move(1, 0);
    }
    mouse.button(1, false);
    fs::remove(folder / "stall");
    mouse.move(1, 0); // after the release

    int sum = 0, held = 0, m, dx, dy, wheel, left, right, middle;
    std::string last;
    ASSERT_TRUE(wait_until([&] {
        sum = held = 0;
        for (const std::string& line : output_lines())
            if (std::sscanf(line.c_str(), "mouse %d %d %d %d %d %d %d", &m, &dx, &dy, &wheel, &left,
                            &right, &middle) == 7) {
                sum += dx;
                held += left;
                last = line;
            }
        return sum >= 5001;
    })) << sum;
    EXPECT_EQ(sum, 5001);
    EXPECT_EQ(held, 2501) << "the press, then 2500 moves with the button down";
    EXPECT_EQ(last, "mouse 0 1 0 0 0 0 0") << "the release arrived";
    for (const std::string& line : output_lines())
        EXPECT_EQ(line.find("ERROR:"), std::string::npos) << line;
}

TEST_F(XvfbInputTest, KeysReleasedAfterTheRebuildAreUpAndHeldOnesStayDown) {
    const std::string first = start_demo();
    XDevices devices;
    ASSERT_TRUE(devices.open(getenv("DISPLAY")));
    devices.key_repeat(false); // a repeated press would tell the window system again
    XClient keys;
    ASSERT_TRUE(keys.open(getenv("DISPLAY")));
    keys.key("Q", true);
    keys.key("W", true);
    ASSERT_TRUE(wait_until([&] { return said("key 81 1") && said("key 87 1"); }));

    // F1: the window goes; the refused full-screen mode shows a box first. Q is let go
    // while no window of the program exists.
    keys.tap("F1");
    std::string box;
    ASSERT_TRUE(wait_until([&] { return !(box = x.find_window("Error")).empty(); }));
    keys.key("Q", false);
    x.run("timeout 30 xdotool windowfocus --sync " + box + " key Return 2>/dev/null");
    std::string rebuilt;
    ASSERT_TRUE(wait_until([&] {
        rebuilt = x.find_window("Frame demo");
        return !rebuilt.empty() && rebuilt != first && x.viewable(rebuilt);
    }));
    x.run("timeout 30 xdotool windowfocus --sync " + rebuilt + " 2>/dev/null");
    EXPECT_TRUE(wait_until([&] { return said("key 81 0") == 1; })) << "Q is up";

    const int ticks = said("tick");
    ASSERT_TRUE(wait_until([&] { return said("tick") >= ticks + 2; }));
    EXPECT_EQ(said("key 87 0"), 0) << "W is still held";
    keys.key("W", false);
    EXPECT_TRUE(wait_until([&] { return said("key 87 0") == 1; }));

    devices.key_repeat(true);
    keys.tap("Escape");
    EXPECT_EQ(demo->wait_exit(), 0);
}

#ifdef LEVELEDIT_PATH
TEST_F(XvfbInputTest, AnEditorWithoutADisplayEndsThroughTheWindowFailure) {
    ChildProcess editor;
    ASSERT_TRUE(editor.start(LEVELEDIT_PATH, folder.string(),
                             {"DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER",
                              "SDL_AUDIODRIVER=dummy", "ASAN_OPTIONS=detect_leaks=0"},
                             (folder / "editor.txt").string()));
    int code = -1;
    ASSERT_TRUE(editor.wait_exit(code, std::chrono::seconds(30)));
    EXPECT_EQ(code, 0);
    const std::string text = read_text_file((folder / "editor.txt").string());
    EXPECT_NE(text.find("Error: Error Creating OpenGL Window"), std::string::npos) << text;
}
#endif

} // namespace
