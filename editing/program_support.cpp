#include "editing/program_support.h"

#include "editing/gl_draw.h"
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

int run_editor_program(Deliverable which, const EditorProgramCalls& calls) {
    KeyTable* keys = nullptr;
    uint8_t left_button_down = 0, right_button_down = 0;
    ProgramHooks hooks;
    hooks.program_init = [&](GlWindow&, KeyTable& table) {
        keys = &table;
        set_editor_gl_state();
        platform_show_cursor(false);
        calls.init();
        return true;
    };
    hooks.program_update = [&](uint32_t) {
        calls.step(poll_frame_input(keys, left_button_down, right_button_down));
    };
    hooks.program_draw = calls.draw;
    hooks.program_deinit = calls.deinit;
    hooks.left_button_down = &left_button_down;
    hooks.right_button_down = &right_button_down;
    return run_program(settings_for(which), hooks);
}

std::vector<std::pair<int, const char*>> prototype_texture_files() {
    return {{0, "Data/head.tga"},    {1, "Data/Ground.tga"},  {2, "Data/foot.tga"},
            {3, "Data/sheep.tga"},   {4, "Data/pointer.tga"}, {5, "Data/sky.tga"},
            {6, "Data/HANDLE.tga"},  {7, "Data/STICK.tga"},   {8, "Data/BALL.tga"},
            {10, "Data/cloud1.tga"}, {11, "Data/cloud2.tga"}, {12, "Data/cloud3.tga"},
            {13, "Data/cloud4.tga"}, {14, "Data/cloud5.tga"}, {15, "Data/cloud6.tga"},
            {16, "Data/cloud7.tga"}, {17, "Data/cloud8.tga"}};
}
