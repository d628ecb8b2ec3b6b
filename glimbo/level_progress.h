// Internal pieces of level progression shared by the step.
#pragma once

#include "physics/game_host.h"
#include "glimbo/game_state.h"
#include "physics/level_core.h" // game_complete_text

// The pickup pass of player i. When every blob is gone and `may_finish` is set, the level
// is finished (next level, reset, "complete") and true is returned.
bool run_blob_pass(GameState& gs, GameHost& host, int i, bool may_finish);
