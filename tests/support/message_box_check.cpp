#include "tests/support/message_box_check.h"

#include "tests/support/child_process.h"

#include <X11/Xlib.h>

#include <sstream>

namespace {

// The font name pattern that SDL's X11 message box asks the server for.
constexpr const char* SDL_BOX_FONT = "-*-*-medium-r-normal--*-120-*-*-*-*-*-*";

} // namespace

std::string message_box_problem(const std::string& display) {
    Display* d = XOpenDisplay(display.c_str());
    if (!d)
        return "cannot open the X display " + display;
    int count = 0;
    char** names = XListFonts(d, SDL_BOX_FONT, 1, &count);
    if (names)
        XFreeFontNames(names);
    XCloseDisplay(d);
    if (count > 0)
        return "";
    return std::string("the X server has no core font matching ") + SDL_BOX_FONT +
           ", so message boxes cannot be shown: install the package xfonts-base";
}

std::string message_box_fallback_in(const std::string& output_file, const std::string& caption) {
    std::istringstream lines(read_text_file(output_file));
    const std::string start = caption + ": ";
    for (std::string line; std::getline(lines, line);)
        if (line.rfind(start, 0) == 0)
            return line;
    return "";
}
