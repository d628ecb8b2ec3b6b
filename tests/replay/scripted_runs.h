// Two scripted runs, one per game, recorded through the programs' own session code: the
// golden replays in tests/replay/data are these recordings. Remake them after an intended
// change of the physics (see tests/replay/CMakeLists.txt for the command).
#pragma once

#include <string>

// Records the run into `path`; false with `error` when the file could not be written.
bool record_glimbo_run(const std::string& path, std::string& error);
bool record_ropegame_run(const std::string& path, std::string& error);
