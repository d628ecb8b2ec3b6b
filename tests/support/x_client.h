// The one X client of the end-to-end tests (Xlib, XTest, XInput2): finds windows,
// reads their pixels, types keys, drives the pointer and the server's input devices, and
// tells whether message boxes can be shown. Kept apart from the tests because the X headers'
// macros clash with GoogleTest's names.
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
    std::vector<Pixel> pixels;
    // Pixels that differ from the same spot of `other` (same size).
    int differences(const Snapshot& other) const;
};

class XClient {
  public:
    bool open(const std::string& display);
    void close();
    ~XClient() { close(); }

    // Id of the first window titled `title` (in _NET_WM_NAME), 0 when none.
    unsigned long find_window(const std::string& title);
    bool client_size(unsigned long window, int& width, int& height);
    // Reads (x, y, w, h) of the window, less any part off the screen; false when it cannot
    // be read.
    bool snapshot(unsigned long window, int x, int y, int w, int h, Snapshot& out);
    // Gives the keyboard focus to the window once it is mapped; false after 60 s.
    bool focus(unsigned long window);
    // Maps a plain top-level window of the test's own; returns its id.
    unsigned long open_window();
    void move_window(unsigned long window, int x, int y);

    // Keys by X keysym name ("W", "Escape", "F1", "Return"), through XTest.
    void key(const std::string& keysym, bool press);
    void tap(const std::string& keysym);
    // A key held through XTest repeats like a real one unless repeat is off.
    void key_repeat(bool on);

    // True when another client holds the pointer grabbed.
    bool pointer_grabbed_elsewhere();

    // Relative motion and buttons from the slave device of that name; the core pointer
    // follows the devices attached to it.
    bool move(int dx, int dy, const std::string& device = "Xvfb mouse");
    bool button(unsigned int button, bool press, const std::string& device = "Xvfb mouse");
    // Adds the master pair "NAME pointer"/"NAME keyboard"; returns the X id of its slave
    // "NAME XTEST pointer", 0 on failure.
    int add_master(const std::string& name);
    bool remove_master(const std::string& name);

  private:
    int device_id(const std::string& name);
    void* display_ = nullptr; // Display*
};

// "" when the X server at `display` has a font for SDL's message boxes, else the reason (a
// server without one makes every box a line on standard error).
std::string message_box_problem(const std::string& display);
// The line "CAPTION: text" that a program writes to `output_file` when its box titled
// `caption` could not be shown, or "".
std::string message_box_fallback_in(const std::string& output_file, const std::string& caption);
