// The program entry: class registration, the one-time raw-mouse start, and the outer loop
// that builds the window again after every full-screen switch.
#include "frame/window.h"

namespace {

// Starts the raw mice once per run. False when the program must end.
bool start_raw_mouse(FrameContext& frame) {
    const RawMouseCalls& raw = frame.hooks.raw_mouse;
    if (!raw.init || raw.init(0, 0, 1) == 0) {
        frame.platform.message_box(frame.settings.raw_input_missing_text, "Error!",
                                   MessageBoxIcon::none);
        return false;
    }
    if (frame.hooks.allocate_players) {
        frame.hooks.allocate_players(raw.mouse_count ? raw.mouse_count() : 0);
    }
    return true;
}

} // namespace

int run_program(const FrameSettings& settings, ProgramHooks& hooks, FramePlatform& platform) {
    KeyTable keys;
    AppInfo app;
    app.instance = platform.instance();
    app.class_name = "OpenGL";
    GlWindow window;
    window.keys = &keys;
    window.app = &app;
    window.title = settings.title;
    window.width = settings.width;
    window.height = settings.height;
    window.bits_per_pixel = settings.bits_per_pixel;
    window.fullscreen = 0;

    FrameContext frame{platform, settings, hooks};
    if (!register_window_class(frame, app)) {
        platform.message_box("Error Registering Window Class!", "Error",
                             MessageBoxIcon::exclamation);
        return -1;
    }
    frame.running = 1;
    frame.fullscreen_request = window.fullscreen;

    if (settings.uses_raw_mouse && !start_raw_mouse(frame)) {
        return 0;
    }

    while (frame.running) {
        window.fullscreen = frame.fullscreen_request;
        if (!create_gl_window(frame, window)) {
            platform.message_box("Error Creating OpenGL Window", "Error",
                                 MessageBoxIcon::exclamation);
            frame.running = 0;
            break;
        }
        if (!hooks.program_init || !hooks.program_init(window, keys)) {
            platform.post_message(Message{window.hwnd, WM_QUIT, 0, 0});
            frame.running = 0;
        } else {
            run_message_loop(frame, window);
        }
        if (hooks.program_deinit) {
            hooks.program_deinit();
        }
        destroy_gl_window(frame, window);
    }

    if (settings.uses_raw_mouse && hooks.raw_mouse.release) {
        hooks.raw_mouse.release();
    }
    platform.unregister_class(app);
    return 0;
}

int run_program(const FrameSettings& settings, ProgramHooks& hooks) {
    return run_program(settings, hooks, system_frame_platform());
}
