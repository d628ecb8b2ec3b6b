// The frame's platform over platform/ (SDL2 and X11) and fixed-function GL.
#include "frame/frame_platform.h"
#include "frame/gl_projection.h"
#include "platform/clock.h"
#include "platform/cursor.h"
#include "platform/message_box.h"
#include "platform/message_queue.h"
#include "platform/window.h"

#include <unistd.h>

namespace {

class SystemFramePlatform final : public FramePlatform {
  public:
    uintptr_t instance() override { return static_cast<uintptr_t>(getpid()); }
    bool register_class(const AppInfo&) override { return platform_video_init(); }
    void unregister_class(const AppInfo&) override { platform_video_quit(); }

    WindowHandle create_window(const WindowRequest& request) override {
        PlatformWindowOptions options;
        options.title = request.title;
        options.width = request.width;
        options.height = request.height;
        options.bits_per_pixel = request.bits_per_pixel;
        options.double_buffer = request.double_buffer;
        options.fullscreen = request.fullscreen;
        return platform_create_window(options);
    }
    // The GL drawable is the window itself.
    WindowHandle get_dc(WindowHandle window) override { return window; }
    void release_dc(WindowHandle, WindowHandle) override {}
    PlatformGlContext* create_context(WindowHandle dc) override {
        return platform_create_gl_context(dc);
    }
    bool make_current(WindowHandle dc, PlatformGlContext* context) override {
        return platform_make_current(dc, context);
    }
    void delete_context(PlatformGlContext* context) override {
        platform_delete_gl_context(context);
    }
    void destroy_window(WindowHandle window) override { platform_destroy_window(window); }
    void show_window(WindowHandle window) override { platform_show_window(window); }
    void swap_buffers(WindowHandle dc) override { platform_swap_buffers(dc); }
    void apply_projection(int32_t width, int32_t height) override {
        apply_gl_projection(width, height);
    }

    bool change_display_mode(int32_t width, int32_t height, int32_t bits) override {
        return platform_change_display_mode(width, height, bits);
    }
    void restore_display_mode() override { platform_restore_display_mode(); }
    void show_cursor(bool show) override { platform_show_cursor(show); }
    void message_box(const std::string& text, const std::string& caption,
                     MessageBoxIcon icon) override {
        platform_message_box(text, caption, icon);
    }

    uint32_t ticks() override { return platform_ticks(); }
    void sleep(uint32_t ms) override { platform_sleep(ms); }
    bool peek_message(WindowHandle window, Message& message) override {
        return platform_peek_message(window, message);
    }
    void wait_message(WindowHandle window) override { platform_wait_message(window); }
    void post_message(const Message& message) override { platform_post_message(message); }
    intptr_t default_window_proc(const Message&) override { return 0; }
};

} // namespace

FramePlatform& system_frame_platform() {
    static SystemFramePlatform platform;
    return platform;
}
