// Whether some client holds the pointer grabbed, seen by trying to grab it. Kept apart from
// the tests because the X headers' macros clash with GoogleTest's names.
#pragma once

#include <string>

// True when another client holds an active pointer grab on the display (the grab we try
// is let go at once); false when it is free or the display cannot be opened.
bool pointer_grabbed_elsewhere(const std::string& display);
