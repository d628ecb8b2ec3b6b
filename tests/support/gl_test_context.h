// A GL context of the test's own on SDL's offscreen driver.
#pragma once

#include "frame/gl_projection.h"
#include "platform/window.h"

#include <GL/gl.h>

#include <cstdlib>

class GlTestContext {
  public:
    // 32 colour bits so that colours read back exactly.
    bool open(int width, int height) {
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
        if (!platform_video_init())
            return false;
        PlatformWindowOptions options;
        options.title = "render test";
        options.width = width;
        options.height = height;
        options.bits_per_pixel = 32;
        options.double_buffer = false;
        window_ = platform_create_window(options);
        if (!window_)
            return false;
        context_ = platform_create_gl_context(window_);
        if (!context_ || !platform_make_current(window_, context_))
            return false;
        return true;
    }

    void close() {
        if (context_) {
            platform_make_current(nullptr, nullptr);
            platform_delete_gl_context(context_);
            context_ = nullptr;
        }
        if (window_) {
            platform_destroy_window(window_);
            window_ = nullptr;
        }
    }

  private:
    WindowHandle window_ = nullptr;
    PlatformGlContext* context_ = nullptr;
};
