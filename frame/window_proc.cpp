// The three window procedures: window state, keys into the key tables, the raw-mouse pass,
// and the two frame actions a user can start (quit and the full-screen switch).
#include "frame/window.h"

void request_quit(FrameContext& frame) {
    if (frame.user_data) {
        frame.platform.post_message(Message{frame.user_data->hwnd, WM_QUIT, 0, 0});
    }
    frame.running = 0;
}

void toggle_fullscreen(FrameContext& frame) {
    frame.fullscreen_request = frame.fullscreen_request == 1 ? 0 : 1;
    if (frame.user_data) {
        frame.platform.post_message(Message{frame.user_data->hwnd, WM_QUIT, 0, 0});
    }
}

namespace {

constexpr uint32_t TOGGLE_FULLSCREEN_MESSAGE = WM_USER + 1;

intptr_t pass_on(FrameContext& frame, const Message& message) {
    return frame.platform.default_window_proc(message);
}

void set_flag(uint8_t* flag, uint8_t value) {
    if (flag) {
        *flag = value;
    }
}

// Messages that every variant treats alike. Returns true when handled, with the result.
bool common_message(FrameContext& frame, const Message& message, intptr_t& result) {
    GlWindow* window = frame.user_data;
    switch (message.message) {
    case WM_CREATE:
        frame.user_data = reinterpret_cast<GlWindow*>(message.lparam);
        result = 0;
        return true;
    case WM_SIZE:
        if (!window) {
            return false;
        }
        if (message.wparam == SIZE_MINIMIZED) {
            window->active = 0;
            result = 0;
            return true;
        }
        if (message.wparam == SIZE_RESTORED || message.wparam == SIZE_MAXIMIZED) {
            window->active = 1;
            resize_gl_scene(frame, lparam_low(message.lparam), lparam_high(message.lparam));
            result = 0;
            return true;
        }
        return false;
    case WM_CLOSE:
        request_quit(frame);
        result = 0;
        return true;
    case WM_SYSCOMMAND:
        // Neither the screen saver nor monitor power-saving starts while the program runs.
        if (message.wparam == SC_SCREENSAVE || message.wparam == SC_MONITORPOWER) {
            result = 0;
            return true;
        }
        return false;
    case TOGGLE_FULLSCREEN_MESSAGE:
        toggle_fullscreen(frame);
        result = pass_on(frame, message);
        return true;
    default:
        return false;
    }
}

// Every mouse is polled on every raw-input message, whichever mouse produced it.
void raw_mouse_pass(FrameContext& frame, const Message& message) {
    const RawMouseCalls& raw = frame.hooks.raw_mouse;
    if (raw.handle_input) {
        raw.handle_input(static_cast<uintptr_t>(message.lparam));
    }
    if (!raw.mouse_count || !raw.button || !raw.take_x || !raw.take_y || !raw.take_wheel) {
        return;
    }
    const int count = raw.mouse_count();
    for (int i = 0; i < count; ++i) {
        const bool middle = raw.button(i, 2) != 0;
        const bool right = raw.button(i, 1) != 0;
        const bool left = raw.button(i, 0) != 0;
        const int wheel = raw.take_wheel(i);
        const int y = raw.take_y(i);
        const int x = raw.take_x(i);
        if (frame.hooks.player_mouse_input) {
            frame.hooks.player_mouse_input(i, x, y, wheel, left, right, middle);
        }
    }
}

void set_key(FrameContext& frame, uint32_t code, int32_t value) {
    if (frame.user_data && frame.user_data->keys) {
        (*frame.user_data->keys)[code] = value;
    }
}

void toggle_pause(FrameContext& frame) {
    uint8_t fallback = 0;
    uint8_t& paused = frame.hooks.paused ? *frame.hooks.paused : fallback;
    paused = paused ? 0 : 1;
    frame.platform.show_cursor(paused != 0);
    if (frame.user_data) {
        frame.user_data->active = paused ? 0 : 1;
    }
}

// What sets the three variants apart.
struct Variant {
    bool keys_to_program; // glimbo hands keys to its key event only, the others keep a key table
    bool p_pauses;
    bool f1_switches_fullscreen;
    bool raw_mouse;     // every mouse polled on raw input
    bool mouse_buttons; // the held left and right buttons recorded
};

constexpr Variant GLIMBO{true, false, true, true, false};
constexpr Variant ROPEGAME{false, true, true, true, false};
constexpr Variant EDITOR{false, false, false, false, true};

// Key downs and ups with codes up to 255 are recorded, and a press may start a frame action.
// Returns false for any other message and for codes above 255, which index no table.
bool key_message(FrameContext& frame, const Message& message, const Variant& variant) {
    const bool down = message.message == WM_KEYDOWN;
    if ((!down && message.message != WM_KEYUP) || message.wparam > 255) {
        return false;
    }
    const auto code = static_cast<uint32_t>(message.wparam);
    if (!variant.keys_to_program) {
        set_key(frame, code, down ? 1 : 0);
    }
    if (frame.hooks.key_event) {
        frame.hooks.key_event(code, down);
    }
    if (!down) {
        return true;
    }
    if (code == VK_ESCAPE) {
        request_quit(frame);
    } else if (code == 'P' && variant.p_pauses) {
        toggle_pause(frame);
    } else if (code == VK_F1 && variant.f1_switches_fullscreen) {
        toggle_fullscreen(frame);
    }
    return true;
}

void mouse_button_message(FrameContext& frame, const Message& message) {
    switch (message.message) {
    case WM_LBUTTONDOWN:
        set_flag(frame.hooks.left_button_down, 1);
        break;
    case WM_LBUTTONUP:
        set_flag(frame.hooks.left_button_down, 0);
        break;
    case WM_RBUTTONDOWN:
        set_flag(frame.hooks.right_button_down, 1);
        break;
    case WM_RBUTTONUP:
        set_flag(frame.hooks.right_button_down, 0);
        break;
    default:
        break;
    }
}

intptr_t variant_window_proc(FrameContext& frame, const Message& message, const Variant& variant) {
    intptr_t result = 0;
    if (common_message(frame, message, result)) {
        return result;
    }
    if (key_message(frame, message, variant)) {
        return 0;
    }
    if (variant.raw_mouse && message.message == WM_INPUT) {
        raw_mouse_pass(frame, message);
    }
    if (variant.mouse_buttons) {
        mouse_button_message(frame, message);
    }
    return pass_on(frame, message);
}

} // namespace

intptr_t glimbo_window_proc(FrameContext& frame, const Message& message) {
    return variant_window_proc(frame, message, GLIMBO);
}

intptr_t ropegame_window_proc(FrameContext& frame, const Message& message) {
    return variant_window_proc(frame, message, ROPEGAME);
}

intptr_t editor_window_proc(FrameContext& frame, const Message& message) {
    return variant_window_proc(frame, message, EDITOR);
}

intptr_t window_proc(FrameContext& frame, const Message& message) {
    switch (frame.settings.window_proc) {
    case WindowProcKind::glimbo:
        return glimbo_window_proc(frame, message);
    case WindowProcKind::ropegame:
        return ropegame_window_proc(frame, message);
    case WindowProcKind::editor:
        break;
    }
    return editor_window_proc(frame, message);
}
