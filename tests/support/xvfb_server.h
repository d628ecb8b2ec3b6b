// An Xvfb of the test's own on a free display.
#pragma once

#include <string>
#include <vector>
#include <sys/types.h>

class XvfbServer {
  public:
    // Starts Xvfb (1024 x 768 x 24) on a free display, with `extra_args` on its command
    // line, and waits until it names the number it took; false after 60 s.
    bool start(const std::vector<std::string>& extra_args = {});
    void stop();
    ~XvfbServer() { stop(); }
    // ":N" once started.
    const std::string& display() const { return display_; }

  private:
    pid_t pid_ = -1;
    std::string display_;
};
