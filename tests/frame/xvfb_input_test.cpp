// Input that must never be lost or stuck, end to end under Xvfb with the demo program: a
// burst of raw events while a frame is busy, then keys held through the full-screen rebuild.
#include "tests/support/program_e2e.h"

#include <fstream>

namespace fs = std::filesystem;

namespace {

class XvfbInputTest : public ProgramEndToEnd {
  protected:
    XvfbInputTest() : ProgramEndToEnd({FRAME_DEMO_PATH, "Frame demo"}) {}

    std::vector<std::string> output_lines() const {
        std::ifstream in(output());
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }
    int said(const std::string& line) const {
        const auto lines = output_lines();
        return static_cast<int>(std::count(lines.begin(), lines.end(), line));
    }
};

TEST_F(XvfbInputTest, BurstBehindABusyFrameAllArrivesAndNoKeyIsStuckAfterTheRebuild) {
    start();
    const unsigned long first = game_window();
    ASSERT_TRUE(wait_until([&] { return said("focus 1") >= 1; }));
    std::ofstream(dir / "stall") << "";
    ASSERT_TRUE(wait_until([&] { return said("stalling") >= 1; }));
    for (int i = 0; i < 5000; ++i) {
        if (i == 2500)
            x.button(1, true);
        x.move(1, 0);
    }
    x.button(1, false);
    fs::remove(dir / "stall");
    x.move(1, 0); // after the release

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

    x.key_repeat(false); // a repeated press would tell the window system again
    x.key("Q", true);
    x.key("W", true);
    ASSERT_TRUE(wait_until([&] { return said("key 81 1") && said("key 87 1"); }));
    // F1: the window goes; the refused full-screen mode shows a box first. Q is let go
    // while no window of the program exists.
    x.tap("F1");
    ASSERT_TRUE(wait_until([&] { return x.find_window("Error") != 0; }));
    x.key("Q", false);
    ASSERT_TRUE(dismiss_box("Error"));
    ASSERT_NE(game_window(first), 0u);
    EXPECT_TRUE(wait_until([&] { return said("key 81 0") == 1; })) << "Q is up";
    const int ticks = said("tick");
    ASSERT_TRUE(wait_until([&] { return said("tick") >= ticks + 2; }));
    EXPECT_EQ(said("key 87 0"), 0) << "W is still held";
    x.key("W", false);
    EXPECT_TRUE(wait_until([&] { return said("key 87 0") == 1; }));

    x.key_repeat(true);
    x.tap("Escape");
    expect_clean_exit();
    for (const std::string& line : output_lines())
        EXPECT_EQ(line.find("ERROR:"), std::string::npos) << line;
}

} // namespace
