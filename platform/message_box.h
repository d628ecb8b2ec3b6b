// Modal message boxes with no owner window. When none can be shown (no display), the text
// goes to standard error as one line "caption: text" and the call returns at once.
#pragma once

#include <string>

enum class MessageBoxIcon { none, exclamation, stop, information };

void platform_message_box(const std::string& text, const std::string& caption, MessageBoxIcon icon);

// The one-line form written when no box can be shown.
std::string message_box_fallback_line(const std::string& text, const std::string& caption);
