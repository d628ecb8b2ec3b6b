// The window, its GL context and the display mode, over SDL2. One window at a time in
// practice, but nothing here assumes it.
#pragma once

#include "platform/messages.h"

#include <cstdint>
#include <string>

struct PlatformGlContext;

struct PlatformWindowOptions {
    std::string title;
    int32_t width = 640; // client size
    int32_t height = 480;
    int32_t bits_per_pixel = 16;
    bool double_buffer = true;
    bool fullscreen = false; // uses the mode that platform_change_display_mode accepted
};

// Starts and stops the video side of the layer (the stand-in for the window class).
bool platform_video_init();
void platform_video_quit();

// A hidden window with a GL-capable visual: colour bits, depth 16, double buffering as asked.
WindowHandle platform_create_window(const PlatformWindowOptions& options);
void platform_destroy_window(WindowHandle window);
void platform_show_window(WindowHandle window);
PlatformGlContext* platform_create_gl_context(WindowHandle window);
bool platform_make_current(WindowHandle window, PlatformGlContext* context); // null, null: none
void platform_delete_gl_context(PlatformGlContext* context);
void platform_swap_buffers(WindowHandle window);
// True while the window has the keyboard focus (raw mouse events reach it only then).
bool platform_window_has_focus(WindowHandle window);
// The window's client size as the window system has it now.
void platform_client_size(WindowHandle window, int32_t& width, int32_t& height);

// True when the display offers width x height; the next full-screen window uses that mode.
bool platform_change_display_mode(int32_t width, int32_t height, int32_t bits);
void platform_restore_display_mode();
