// An Xvfb of the test's own and a client that injects mouse input into it. Kept apart from
// the tests because the X headers' macros clash with GoogleTest's names.
#pragma once

#include <string>
#include <sys/types.h>

class XvfbServer {
  public:
    // Starts Xvfb on a free display (it names the number it took); false after 30 s.
    bool start();
    void stop();
    const std::string& display() const { return display_; }

  private:
    pid_t pid_ = -1;
    std::string display_;
};

// A second client that injects input the way a test harness or a remote desktop would.
class XvfbInjector {
  public:
    // Connects and opens the "Xvfb mouse" slave device.
    bool open(const std::string& display);
    void close();
    // Relative motion and buttons from the "Xvfb mouse" device.
    void move(int dx, int dy);
    void button(unsigned int button, bool press);
    // Relative motion from the XTEST pointer.
    void move_xtest_pointer(int dx, int dy);

  private:
    void* display_ = nullptr; // Display*
    void* mouse_ = nullptr;   // XDevice*
};
