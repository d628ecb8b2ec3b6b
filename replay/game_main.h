// The command line of both games: play, record, replay in the window or headless.
#pragma once

#include "replay/replay_format.h"
#include "replay/replay_game.h"
#include "replay/session.h"

#include <functional>

// Parses the options and runs the game as they ask. `run_window` runs the program on its
// window with its hooks (which talk to `session`) and returns the frame's exit code. The
// headless replay drives `game` directly, without a window.
int run_game_command(int argc, const char* const* argv, ReplayProgram program,
                     ProgramSession& session, ReplayGame& game,
                     const std::function<int()>& run_window);
