// The flock of 200 floating sheep.
#pragma once

#include "glimbo/game_state.h"

// Drift, ground, players, then two spacing passes.
void flock_step(GameState& gs);
