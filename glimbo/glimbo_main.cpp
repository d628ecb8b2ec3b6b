// glimbo: one player per mouse, on the application frame.
#include "glimbo/program.h"

int main() {
    // The world, the renderer and the assets live for the whole run; the frame rebuilds
    // only the window around them.
    static GlimboProgram program;
    ProgramHooks hooks = make_glimbo_hooks(program);
    return run_program(settings_for(Deliverable::glimbo), hooks);
}
