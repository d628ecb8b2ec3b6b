// End-to-end test support: a private Xvfb display, programs started in a folder of their
// own, xdotool input and condition waits with generous deadlines.
#pragma once

#include "tests/support/child_process.h"
#include "tests/support/wait_until.h"
#include "tests/support/xvfb_server.h"

#include <string>

// A top-level window as `xwininfo -root -tree` lists it.
struct XWindow {
    std::string id; // "0x...", or "" when there is no such window
    int width = 0, height = 0;
};

class XSession {
  public:
    XSession(); // starts Xvfb on a free display and points DISPLAY at it; stopped at the end
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    bool ok() const { return started_; }

    // Runs a shell command against the display; returns its standard output.
    std::string run(const std::string& command) const;
    // The first top-level window with this exact name.
    XWindow window(const std::string& name) const;
    // Id of the first top-level window with this exact name, or "".
    std::string find_window(const std::string& name) const { return window(name).id; }
    bool viewable(const std::string& id) const;
    // Sends an xdotool command line, e.g. "keydown s".
    void xdotool(const std::string& args) const;

  private:
    XvfbServer server_;
    bool started_ = false;
};

// A program started in `folder` with its output in folder/output.txt, the dummy sound
// driver, the session's display and no leak reports.
class RunningProgram {
  public:
    RunningProgram(const std::string& executable, const std::string& folder);
    bool running() { return child_.running(); }
    // Waits for the exit; returns the exit code, or -1000 when it did not end in time.
    int wait_exit(std::chrono::milliseconds timeout = std::chrono::seconds(60));

  private:
    ChildProcess child_;
};

