// Remakes the golden replays: make_replay_goldens DIR writes DIR/glimbo_run.glr and
// DIR/ropegame_run.glr from the scripted runs.
#include "tests/replay/scripted_runs.h"

#include <iostream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_replay_goldens DIR\n";
        return 2;
    }
    const std::string dir = argv[1];
    std::string error;
    if (!record_glimbo_run(dir + "/glimbo_run.glr", error) ||
        !record_ropegame_run(dir + "/ropegame_run.glr", error)) {
        std::cerr << error << "\n";
        return 1;
    }
    std::cout << "wrote " << dir << "/glimbo_run.glr and " << dir << "/ropegame_run.glr\n";
    return 0;
}
