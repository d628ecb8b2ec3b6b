// Shared set-up of the end-to-end tests: a display, a scratch folder with the images, and
// key presses held until what they should cause has happened.
#pragma once

#include "tests/support/message_box_check.h"
#include "tests/support/x_session.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

inline constexpr const char* MAIN_WINDOW_TITLE = "Kavo's New GL Framework";

class ProgramE2E : public ::testing::Test {
    std::optional<std::string> box_problem_; // message_box_problem, asked once

  protected:
    XSession x;
    std::filesystem::path folder;

    void SetUp() override {
        if (!x.ok())
            GTEST_SKIP() << "no Xvfb";
        std::string pattern =
            (std::filesystem::temp_directory_path() / "editors_e2e_XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder = pattern;
        std::filesystem::path data = GLIMBO_CONTENT_DIR "/Data";
        if (std::filesystem::exists(data))
            std::filesystem::create_directory_symlink(data, folder / "Data");
    }
    void TearDown() override {
        if (!folder.empty())
            std::filesystem::remove_all(folder);
    }

    static std::string program(const char* name) { return std::string(GLIMBO_BIN) + "/" + name; }

    std::string wait_for_window(const std::string& name) {
        std::string id;
        wait_until([&] { return !(id = x.find_window(name)).empty(); });
        return id;
    }

    // The program's main window once it is there, focused; "" when it never came.
    std::string focused_main_window() {
        std::string window = wait_for_window(MAIN_WINDOW_TITLE);
        if (!window.empty())
            x.xdotool("windowfocus --sync " + window);
        return window;
    }

    // Whether the "Error" box is up, its id then in `box`; also true, with the test failed
    // and `box` empty, when it never can be: the display has no font for boxes, or the
    // program wrote the box's text to its output instead.
    bool error_box_or_failure(std::string& box) {
        if (!box_problem_)
            box_problem_ = message_box_problem(std::getenv("DISPLAY"));
        std::string why = *box_problem_;
        const std::string line = message_box_fallback_in((folder / "output.txt").string(), "Error");
        if (why.empty() && !line.empty())
            why = "no box was shown; the program wrote: " + line;
        box = why.empty() ? x.find_window("Error") : "";
        if (!why.empty())
            ADD_FAILURE() << why;
        return !why.empty() || !box.empty();
    }
    std::string wait_for_error_box() {
        std::string box;
        wait_until([&] { return error_box_or_failure(box); });
        return box;
    }

    // Answers the error box with Return; true once it is gone.
    bool dismiss_error_box(const std::string& box) {
        if (box.empty())
            return false;
        x.xdotool("windowfocus --sync " + box + " key Return");
        return wait_until([&] { return x.find_window("Error").empty(); });
    }

    // Holds `key` until `done` holds, releasing and pressing again every ten seconds in
    // case a press fell between two frames of a busy machine.
    bool press_until(const std::string& key, const std::function<bool()>& done,
                     double seconds = 60) {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
        while (std::chrono::steady_clock::now() < deadline) {
            x.xdotool("keydown " + key);
            bool ok = wait_until(done, std::chrono::seconds(10));
            x.xdotool("keyup " + key);
            if (ok)
                return true;
        }
        return false;
    }

    // Escape ends the program with exit code 0.
    void quit_with_escape(RunningProgram& p, const std::string& window) {
        x.xdotool("windowfocus --sync " + window);
        x.xdotool("keydown Escape");
        EXPECT_EQ(p.wait_exit(), 0);
        x.xdotool("keyup Escape");
    }

    uintmax_t size_of(const char* name) {
        std::error_code ec;
        uintmax_t n = std::filesystem::file_size(folder / name, ec);
        return ec ? 0 : n;
    }
};
