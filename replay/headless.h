// A replay run without window or sound, as fast as it goes.
#pragma once

#include "replay/replay_format.h"
#include "replay/replay_game.h"

#include <ostream>

// Plays `replay` into `game` with a quiet host, printing a line per recorded digest, the
// verdict and the steps per second to `out`. Returns 0 when every digest matched, else 1.
int run_headless_replay(const Replay& replay, ReplayGame& game, std::ostream& out);
