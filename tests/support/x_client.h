// An X client for the end-to-end tests: finds windows by title, reads their size and
// pixels and types keys into them. Kept apart from the tests because the X headers' macros
// clash with GoogleTest's names.
#pragma once

#include "tests/support/wait_until.h"

#include <string>
#include <vector>

struct Pixel {
    int r = 0, g = 0, b = 0;
    bool operator==(const Pixel&) const = default;
};

// A rectangle of pixels read from a window, rows top first.
struct Snapshot {
    int width = 0, height = 0;
    std::vector<Pixel> pixels;
    Pixel at(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
    int count(const Pixel& p) const;
    // Pixels that differ from the same spot of `other` (same size).
    int differences(const Snapshot& other) const;
};

class XClient {
  public:
    bool open(const std::string& display);
    void close();
    ~XClient() { close(); }

    // Id of the first window titled `title` (WM_NAME or _NET_WM_NAME), 0 when none.
    unsigned long find_window(const std::string& title);
    bool client_size(unsigned long window, int& width, int& height);
    // Reads (x, y, w, h) of the window; false when it cannot be read.
    bool snapshot(unsigned long window, int x, int y, int w, int h, Snapshot& out);
    // Gives the keyboard focus to the window once it is mapped; false after 60 s.
    bool focus(unsigned long window);
    // Presses and releases the key named by an X keysym name ("W", "Escape", "F1", "Return").
    void key(const std::string& keysym, bool press);
    void tap(const std::string& keysym);

  private:
    void* display_ = nullptr; // Display*
};
