// A client that injects mouse input into a test's own Xvfb. Kept apart from the tests
// because the X headers' macros clash with GoogleTest's names.
#pragma once

#include "tests/support/xvfb_server.h"

#include <string>

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
