// End-to-end test support: a private Xvfb display, programs started in a folder of their
// own, xdotool input and condition waits with generous deadlines.
#pragma once

#include <chrono>
#include <functional>
#include <string>

// Polls `condition` until it holds or `seconds` pass; true when it held.
bool wait_until(const std::function<bool()>& condition, double seconds = 60);

// A top-level window as `xwininfo -root -tree` lists it.
struct XWindow {
    std::string id; // "0x...", or "" when there is no such window
    int width = 0, height = 0;
};

class XSession {
  public:
    XSession();  // starts Xvfb on a free display and points DISPLAY at it
    ~XSession(); // stops it
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    bool ok() const { return display_ >= 0; }

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
    int display_ = -1;
    int pid_ = -1;
};

// A program started in `folder` with its output kept in folder/output.txt.
class RunningProgram {
  public:
    RunningProgram(const std::string& executable, const std::string& folder);
    ~RunningProgram(); // kills it if it is still running
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    bool running();
    // Waits for the exit; returns the exit code, or -1000 when it did not end in time.
    int wait_exit(double seconds = 60);

  private:
    int pid_ = -1;
    int exit_code_ = -1000;
    bool exited_ = false;
};
