// Creating and destroying the one window with its GL context, the full-screen mode switch
// and the projection for a client size.
#include "frame/window.h"

bool register_window_class(FrameContext& frame, const AppInfo& app) {
    if (!frame.platform.register_class(app)) {
        frame.platform.message_box("RegisterClassEx Failed!", "Error", MessageBoxIcon::exclamation);
        return false;
    }
    return true;
}

bool change_display_mode(FrameContext& frame, int32_t width, int32_t height, int32_t bits) {
    return frame.platform.change_display_mode(width, height, bits);
}

void resize_gl_scene(FrameContext& frame, int32_t width, int32_t height) {
    frame.platform.apply_projection(width, height);
    if (frame.settings.records_screen_center) {
        if (frame.hooks.screen_center_x) {
            *frame.hooks.screen_center_x = width / 2;
        }
        if (frame.hooks.screen_center_y) {
            *frame.hooks.screen_center_y = height / 2;
        }
    }
}

bool create_gl_window(FrameContext& frame, GlWindow& window) {
    FramePlatform& platform = frame.platform;
    WindowRequest request;
    request.title = window.title;
    request.width = window.width;
    request.height = window.height;
    request.bits_per_pixel = window.bits_per_pixel;
    request.double_buffer = frame.settings.present == Present::swap;

    if (window.fullscreen == 1) {
        if (change_display_mode(frame, window.width, window.height, window.bits_per_pixel)) {
            platform.show_cursor(false);
            request.fullscreen = true;
        } else {
            platform.message_box("Mode Switch Failed.\nRunning In Windowed Mode.", "Error",
                                 MessageBoxIcon::exclamation);
            window.fullscreen = 0;
        }
    }

    // A failed creation gives back a display mode it switched to.
    auto fail = [&] {
        if (request.fullscreen) {
            platform.restore_display_mode();
            platform.show_cursor(true);
        }
        return false;
    };

    window.hwnd = platform.create_window(request);
    if (!window.hwnd) {
        return fail();
    }
    // Delivered synchronously during creation, as the window's first message.
    window_proc(frame, Message{window.hwnd, WM_CREATE, 0, reinterpret_cast<intptr_t>(&window)});

    window.hdc = platform.get_dc(window.hwnd);
    if (!window.hdc) {
        platform.destroy_window(window.hwnd);
        window.hwnd = nullptr;
        frame.user_data = nullptr;
        return fail();
    }
    window.hglrc = platform.create_context(window.hdc);
    if (!window.hglrc) {
        platform.release_dc(window.hwnd, window.hdc);
        window.hdc = nullptr;
        platform.destroy_window(window.hwnd);
        window.hwnd = nullptr;
        frame.user_data = nullptr;
        return fail();
    }
    if (!platform.make_current(window.hdc, window.hglrc)) {
        platform.delete_context(window.hglrc);
        window.hglrc = nullptr;
        platform.release_dc(window.hwnd, window.hdc);
        window.hdc = nullptr;
        platform.destroy_window(window.hwnd);
        window.hwnd = nullptr;
        frame.user_data = nullptr;
        return fail();
    }

    platform.show_window(window.hwnd);
    if (frame.settings.hide_cursor_on_create) {
        platform.show_cursor(false);
    }
    window.active = 1;
    resize_gl_scene(frame, window.width, window.height);
    if (window.keys) {
        window.keys->clear();
    }
    window.last_tick_ms = platform.ticks();
    return true;
}

bool destroy_gl_window(FrameContext& frame, GlWindow& window) {
    FramePlatform& platform = frame.platform;
    if (window.hwnd) {
        if (window.hdc) {
            platform.make_current(nullptr, nullptr);
            if (window.hglrc) {
                platform.delete_context(window.hglrc);
                window.hglrc = nullptr;
            }
            platform.release_dc(window.hwnd, window.hdc);
            window.hdc = nullptr;
        }
        platform.destroy_window(window.hwnd);
        window.hwnd = nullptr;
        frame.user_data = nullptr;
    }
    if (window.fullscreen) {
        platform.restore_display_mode();
        platform.show_cursor(true);
    }
    return true;
}
