// A hidden window with a GL context for the render tests: SDL's offscreen driver, or the
// X display when offscreen rendering is not available.
#pragma once

#include <cstdint>
#include <vector>

struct SDL_Window;

struct GlTestContext {
    SDL_Window* window = nullptr;
    void* context = nullptr;
    int width = 0;
    int height = 0;
};

// Creates the window and context and makes it current with a pixel-exact 2D projection
// (one unit a pixel, origin bottom left). Returns false when no context can be made.
bool open_gl_context(GlTestContext& gl, int width, int height);
void close_gl_context(GlTestContext& gl);

// The framebuffer as RGBA bytes, bottom row first.
std::vector<uint8_t> read_framebuffer(const GlTestContext& gl);
