// A small program on the frame for trying it by hand and for the end-to-end tests: a window
// with a coloured square on a dark blue ground. Escape quits, F1 switches to full screen.
#include "frame/frame.h"

#include <GL/gl.h>

#include <cstdio>

namespace {

bool demo_init(GlWindow& window, KeyTable&) {
    glShadeModel(GL_SMOOTH);
    glClearColor(0.0f, 0.0f, 0.4f, 1.0f);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    std::printf("frame_demo: window %dx%d%s\n", window.width, window.height,
                window.fullscreen ? " full screen" : "");
    std::fflush(stdout);
    return true;
}

void demo_draw() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, -5.0f);
    glColor3f(1.0f, 0.0f, 0.0f);
    glBegin(GL_QUADS);
    glVertex3f(-1.0f, 1.0f, 0.0f);
    glVertex3f(1.0f, 1.0f, 0.0f);
    glVertex3f(1.0f, -1.0f, 0.0f);
    glVertex3f(-1.0f, -1.0f, 0.0f);
    glEnd();
}

} // namespace

int main() {
    FrameSettings settings = settings_for(Deliverable::glimbo);
    settings.title = "Frame demo";
    settings.present = Present::swap;
    settings.uses_raw_mouse = false;

    ProgramHooks hooks;
    hooks.program_init = demo_init;
    hooks.program_update = [](uint32_t) {};
    hooks.program_draw = demo_draw;
    hooks.program_deinit = [] {};
    return run_program(settings, hooks);
}
