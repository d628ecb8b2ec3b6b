#include "gl_test_context.h"

#include <GL/gl.h>
#include <SDL.h>
#include <cstdlib>

namespace {
bool start_video() {
    if (SDL_WasInit(SDL_INIT_VIDEO)) {
        return true;
    }
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) {
        return true;
    }
    unsetenv("SDL_VIDEODRIVER");
    return SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
}
} // namespace

bool open_gl_context(GlTestContext& gl, int width, int height) {
    if (!start_video()) {
        return false;
    }
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    gl.window =
        SDL_CreateWindow("assets test", 0, 0, width, height, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (!gl.window) {
        return false;
    }
    gl.context = SDL_GL_CreateContext(gl.window);
    if (!gl.context) {
        close_gl_context(gl);
        return false;
    }
    gl.width = width;
    gl.height = height;
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, width, 0, height, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    return true;
}

void close_gl_context(GlTestContext& gl) {
    if (gl.context) {
        SDL_GL_DeleteContext(gl.context);
    }
    if (gl.window) {
        SDL_DestroyWindow(gl.window);
    }
    gl = GlTestContext{};
}

std::vector<uint8_t> read_framebuffer(const GlTestContext& gl) {
    std::vector<uint8_t> rgba(size_t(gl.width) * gl.height * 4);
    glFinish();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, gl.width, gl.height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return rgba;
}
