// Whether the X cursor is visible where it stands. Kept apart from the tests because the X
// headers' macros clash with GoogleTest's names.
#pragma once

#include <string>

// True when the cursor image under the pointer has any pixel that is not fully
// transparent; false when it is blank (hidden) or cannot be read.
bool cursor_visible(const std::string& display);
