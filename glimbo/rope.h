// The grapple rope: firing along the aim, hooking the nearest target, solving the chain.
#pragma once

#include "physics/game_host.h"
#include "glimbo/game_state.h"

// One step of rope r of player i: fire on a fresh press, solve while held, release when up.
void rope_step(GameState& gs, GameHost& host, int i, int r);

// Fires rope r of player i from the ball centre towards its aim point.
void fire_rope(GameState& gs, GameHost& host, int i, int r);

// Solves rope r of player i once (50 chain passes or one rigid correction).
void solve_rope(GameState& gs, int i, int r);
