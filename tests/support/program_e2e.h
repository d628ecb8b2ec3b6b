// The fixture of the end-to-end tests: one Xvfb per test program, a folder per test (with a
// copy of the generated content when the test has it), the program run as a child in it,
// and the window, key, error-box and exit checks all programs share.
#pragma once

#include "tests/support/child_process.h"
#include "tests/support/x_client.h"
#include "tests/support/xvfb_server.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <unistd.h>

// Where a program is and how its window looks (a width of 0: any size).
struct ProgramUnderTest {
    std::string program;
    std::string title;
    int width = 0, height = 0;
};

class ProgramEndToEnd : public ::testing::Test {
  protected:
    explicit ProgramEndToEnd(ProgramUnderTest game) : game_(std::move(game)) {}

    inline static XvfbServer xvfb;

    static void SetUpTestSuite() { ASSERT_TRUE(xvfb.start()) << "Xvfb did not start"; }
    static void TearDownTestSuite() { xvfb.stop(); }

    void SetUp() override {
        namespace fs = std::filesystem;
        static int tests = 0;
        dir = fs::temp_directory_path() /
              ("e2e_" + std::to_string(::getpid()) + "_" + std::to_string(++tests));
        fs::remove_all(dir);
#ifdef GLIMBO_CONTENT_DIR
        fs::copy(GLIMBO_CONTENT_DIR, dir, fs::copy_options::recursive);
#else
        fs::create_directories(dir);
#endif
        ASSERT_TRUE(x.open(xvfb.display()));
    }
    void TearDown() override {
        program.kill_now();
        x.close();
        std::filesystem::remove_all(dir);
    }

    // Starts the program on the test's display with its command line `args`; `env` comes
    // last, so that it may change what is set here.
    void start(const std::vector<std::string>& env = {},
               const std::vector<std::string>& args = {}) {
        std::vector<std::string> all{"DISPLAY=" + xvfb.display(), "SDL_AUDIODRIVER=dummy",
                                     "ASAN_OPTIONS=detect_leaks=0"};
        all.insert(all.end(), env.begin(), env.end());
        ASSERT_TRUE(program.start(game_.program, dir.string(), all, output(), args));
    }
    std::string output() const {
        return (dir / "program_output.txt").string();
    }

    // Waits for the program's window (one other than `old`), checks its size and gives it
    // the keyboard focus (raw mouse input reaches only the focused window).
    unsigned long game_window(unsigned long old = 0) {
        unsigned long w = 0;
        EXPECT_TRUE(wait_until([&] {
            w = x.find_window(game_.title);
            return w != 0 && w != old;
        })) << read_text_file(output());
        if (w == old)
            return 0;
        int width = 0, height = 0;
        EXPECT_TRUE(wait_until([&] {
            return x.client_size(w, width, height) &&
                   (game_.width == 0 || (width == game_.width && height == game_.height));
        })) << width
            << " x " << height;
        EXPECT_TRUE(x.focus(w));
        window = w;
        return w;
    }

    // Finds the box with `caption`, then dismisses it with Return. Fails at once, with the
    // reason, when the display cannot show boxes or the program wrote the box's text instead.
    bool dismiss_box(const std::string& caption) {
        const std::string problem = message_box_problem(xvfb.display());
        if (!problem.empty()) {
            ADD_FAILURE() << problem;
            return false;
        }
        unsigned long box = 0;
        std::string fallback;
        if (!wait_until([&] {
                fallback = message_box_fallback_in(output(), caption);
                return (box = x.find_window(caption)) != 0 || !fallback.empty();
            }))
            return false;
        if (box == 0) {
            ADD_FAILURE() << "no box was shown; the program wrote: " << fallback;
            return false;
        }
        if (!x.focus(box))
            return false;
        x.tap("Return");
        return wait_until([&] { return x.find_window(caption) == 0; });
    }

    // True once the program has drawn a frame that came after the call: a nudge of the
    // pointer, which the programs draw, and a change of the picture, twice (the first
    // change may be of a frame already under way). The nudges, one each way, leave the
    // program's own pointer where it was.
    bool frame_passed() {
        int w = 0, h = 0;
        x.client_size(window, w, h);
        for (int dx : {10, -10}) {
            Snapshot before, now;
            x.snapshot(window, 0, 0, w, h, before);
            x.move(dx, 0);
            if (!wait_until([&] {
                    return x.snapshot(window, 0, 0, w, h, now) && now.differences(before) > 0;
                }))
                return false;
        }
        return true;
    }

    // Holds `key` until `done` holds, for up to two minutes: the programs act on a key held
    // in a frame after one in which it was up, so each press comes after a frame, and is
    // repeated every ten seconds in case the focus or a press was lost.
    template <typename Done> bool press_until(const std::string& key, Done done) {
        for (int round = 0; round < 12; ++round) {
            if (window)
                x.focus(window);
            frame_passed();
            x.key(key, true);
            const bool seen = wait_until(done, std::chrono::seconds(10));
            x.key(key, false);
            if (seen)
                return true;
        }
        return false;
    }

    // Waits for the program to end and expects exit code 0, showing its output otherwise.
    void expect_clean_exit() {
        int code = -1;
        ASSERT_TRUE(program.wait_exit(code));
        EXPECT_EQ(code, 0) << read_text_file(output());
    }

    ProgramUnderTest game_;
    std::filesystem::path dir;
    unsigned long window = 0; // the program's latest window
    XClient x;
    ChildProcess program;
};
