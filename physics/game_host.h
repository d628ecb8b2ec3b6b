// What the simulation asks of the world outside: sound, message boxes, quitting, the
// system cursor and the files it reads and writes. The program supplies the real one; tests
// supply a recording fake.
#pragma once

#include "level/file_access.h"

#include <string>

// The one-shot samples, numbered as the sound library loads them.
enum class Sample {
    bing = 1,
    complete = 2,
    grapple = 3,
    jump = 4,
    release = 5,
    roll = 6,
    swish = 7,
    thunk = 8,
    trundle = 9,
};

enum class MessageIcon { none, information, exclamation, stop };

struct GameHost {
    // Centre of the screen in pixels; the pointers are put back there every step.
    int screen_center_x = 0;
    int screen_center_y = 0;
    // Level files and the quick save; the disk unless a recording or a replay stands between.
    FileAccess* files = &disk_files();

    virtual ~GameHost() = default;
    // Starts `sample` on sound channel `channel` (0..16 plus the sounds of one step).
    virtual void play_sample(Sample sample, int channel) = 0;
    // A modal message box with no owner window.
    virtual void show_message(const std::string& caption, const std::string& text,
                              MessageIcon icon) = 0;
    // Asks the main loop to end the program after this frame.
    virtual void request_quit() = 0;
    // Moves the system cursor to screen position (x, y).
    virtual void set_cursor_position(int x, int y) = 0;
};
