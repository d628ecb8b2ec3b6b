// glimbo as shipped, except that it prints the monotonic clock (in microseconds) once its
// first frame is drawn and finished, then asks to quit. The start-up benchmark runs it.
#include "glimbo/program.h"

#include <GL/gl.h>

#include <cstdio>
#include <ctime>

int main() {
    static GlimboProgram program;
    ProgramHooks hooks = make_glimbo_hooks(program);
    const auto draw = hooks.program_draw;
    hooks.program_draw = [draw] {
        static bool first = true;
        draw();
        if (!first)
            return;
        first = false;
        glFinish();
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        std::printf("first frame at %lld\n", (long long)now.tv_sec * 1000000 + now.tv_nsec / 1000);
        std::fflush(stdout);
        program.host.request_quit();
    };
    return run_program(settings_for(Deliverable::glimbo), hooks);
}
