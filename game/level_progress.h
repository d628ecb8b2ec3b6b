// Internal pieces of level progression shared by the step.
#pragma once

#include "game/game_host.h"
#include "game/game_state.h"

// The pickup pass of player i. When every blob is gone and `may_finish` is set, the level
// is finished (next level, reset, "complete") and true is returned.
bool run_blob_pass(GameState& gs, GameHost& host, int i, bool may_finish);

// The text of the box shown after the last level.
extern const char* const GAME_COMPLETE_TEXT;
