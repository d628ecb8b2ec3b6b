// Why a message box cannot be seen on a test's X display. SDL draws its X11 boxes with an X
// core font; a server without one (no xfonts-base) makes every box a line on standard
// error, and a test waiting for the box would only time out.
#pragma once

#include <string>

// "" when the X server at `display` has a font for SDL's boxes, else the reason.
std::string message_box_problem(const std::string& display);

// The line "CAPTION: text" that a program writes to `output_file` when its box titled
// `caption` could not be shown, or "".
std::string message_box_fallback_in(const std::string& output_file, const std::string& caption);
