// What the frame needs from the platform: window and context, messages, clock, cursor and
// message boxes. The real one sits on platform/ (SDL2); tests supply a scripted one.
#pragma once

#include "frame/frame.h"
#include "platform/message_box.h"

#include <cstdint>
#include <string>

struct WindowRequest {
    std::string title;
    int32_t width = 0; // client size
    int32_t height = 0;
    int32_t bits_per_pixel = 16;
    bool double_buffer = true;
    bool fullscreen = false; // a popup over the display mode set by change_display_mode
};

class FramePlatform {
  public:
    virtual ~FramePlatform() = default;

    virtual uintptr_t instance() = 0;
    virtual bool register_class(const AppInfo& app) = 0;
    virtual void unregister_class(const AppInfo& app) = 0;

    virtual WindowHandle create_window(const WindowRequest& request) = 0;
    virtual WindowHandle get_dc(WindowHandle window) = 0;
    virtual void release_dc(WindowHandle window, WindowHandle dc) = 0;
    virtual PlatformGlContext* create_context(WindowHandle dc) = 0;
    virtual bool make_current(WindowHandle dc, PlatformGlContext* context) = 0;
    virtual void delete_context(PlatformGlContext* context) = 0;
    virtual void destroy_window(WindowHandle window) = 0;
    virtual void show_window(WindowHandle window) = 0;
    virtual void swap_buffers(WindowHandle dc) = 0;
    virtual void apply_projection(int32_t width, int32_t height) = 0;

    virtual bool change_display_mode(int32_t width, int32_t height, int32_t bits) = 0;
    virtual void restore_display_mode() = 0;
    virtual void show_cursor(bool show) = 0;
    virtual void message_box(const std::string& text, const std::string& caption,
                             MessageBoxIcon icon) = 0;

    virtual uint32_t ticks() = 0;
    virtual void sleep(uint32_t ms) = 0;
    // Takes the next message for the window without waiting; false when none is queued.
    virtual bool peek_message(WindowHandle window, Message& message) = 0;
    // Blocks until a message for the window is queued.
    virtual void wait_message(WindowHandle window) = 0;
    virtual void post_message(const Message& message) = 0;
    virtual intptr_t default_window_proc(const Message& message) = 0;
};

// The platform over SDL2 and X11 that run_program uses by default.
FramePlatform& system_frame_platform();
