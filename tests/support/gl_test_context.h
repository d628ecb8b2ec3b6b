// A GL context of the test's own on SDL's offscreen driver, with helpers to project world
// points through the matrices the renderer left behind and to read pixels back.
#pragma once

#include "frame/gl_projection.h"
#include "platform/window.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <ostream>
#include <vector>

struct Rgb {
    int r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

// How a failed comparison shows a colour.
inline std::ostream& operator<<(std::ostream& out, const Rgb& c) {
    return out << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

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

// Window position of world point (x, y, z) under the current model-view matrix.
struct WindowPoint {
    double x = 0, y = 0, z = 0;
};

inline WindowPoint project(double x, double y, double z) {
    GLdouble model[16], proj[16];
    GLint view[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, proj);
    glGetIntegerv(GL_VIEWPORT, view);
    WindowPoint p;
    gluProject(x, y, z, model, proj, view, &p.x, &p.y, &p.z);
    return p;
}

inline Rgb read_pixel(int x, int y) {
    glFinish();
    glReadBuffer(GL_FRONT);
    GLubyte px[3] = {};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, px);
    return {px[0], px[1], px[2]};
}

inline Rgb read_pixel(const WindowPoint& p) {
    return read_pixel(int(p.x), int(p.y));
}

// A nearest-filtered texture of w x h RGBA texels (rows bottom first).
inline uint32_t make_texture(int w, int h, const std::vector<uint8_t>& rgba) {
    GLuint id = 0;
    glGenTextures(1, &id);
    glBindTexture(GL_TEXTURE_2D, id);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, w, h, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    return id;
}
