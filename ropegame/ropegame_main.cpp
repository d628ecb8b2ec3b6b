// ropegame: the earlier edition of the game, one player per mouse, on the application frame.
#include "ropegame/program.h"

int main() {
    // The world, the renderer and the assets live for the whole run; the frame rebuilds
    // only the window around them.
    static ropegame::Program program;
    ProgramHooks hooks = ropegame::make_hooks(program);
    return run_program(settings_for(Deliverable::ropegame), hooks);
}
