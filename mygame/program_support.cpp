#include "mygame/program_support.h"

#include "platform/cursor.h"
#include "platform/message_box.h"

FrameInput poll_frame_input(const KeyTable* keys, uint8_t left_button, uint8_t right_button) {
    FrameInput in;
    in.keys = keys ? keys->down.data() : nullptr;
    in.left_button = left_button != 0;
    in.right_button = right_button != 0;
    int32_t x = CURSOR_HOME_X, y = CURSOR_HOME_Y;
    // Without a display the cursor stays "home": the pointer simply does not move.
    if (platform_get_cursor_pos(x, y))
        platform_set_cursor_pos(CURSOR_HOME_X, CURSOR_HOME_Y);
    in.cursor_x = x;
    in.cursor_y = y;
    return in;
}

void MessageBoxErrors::show_error(const std::string& text) {
    platform_message_box(text, "Error", MessageBoxIcon::exclamation);
}
