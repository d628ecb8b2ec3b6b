// Message boxes over SDL's simple message box, with a standard-error fallback.
#include "platform/message_box.h"

#include "platform/cursor_window.h"

#include <SDL2/SDL_messagebox.h>

#include <cstdio>

std::string message_box_fallback_line(const std::string& text, const std::string& caption) {
    std::string line = caption + ": " + text;
    // One line, however many the box would have shown.
    for (char& c : line) {
        if (c == '\n' || c == '\r') {
            c = ' ';
        }
    }
    return line;
}

void platform_message_box(const std::string& text, const std::string& caption,
                          MessageBoxIcon icon) {
    Uint32 flags = 0;
    switch (icon) {
    case MessageBoxIcon::exclamation:
        flags = SDL_MESSAGEBOX_WARNING;
        break;
    case MessageBoxIcon::stop:
        flags = SDL_MESSAGEBOX_ERROR;
        break;
    case MessageBoxIcon::information:
        flags = SDL_MESSAGEBOX_INFORMATION;
        break;
    case MessageBoxIcon::none:
        break;
    }
    // The box blocks our loop, which would otherwise keep the pointer from reaching it.
    cursor_release_for_modal();
    const int shown = SDL_ShowSimpleMessageBox(flags, caption.c_str(), text.c_str(), nullptr);
    cursor_retake_after_modal();
    if (shown != 0) {
        std::fprintf(stderr, "%s\n", message_box_fallback_line(text, caption).c_str());
        std::fflush(stderr);
    }
}
