#include "glimbo/rope.h"

#include "glimbo/game.h"
#include "physics/rope_core.h"

void fire_rope(GameState& gs, GameHost& host, int i, int r) {
    const Player& p = gs.players[size_t(i)];
    const ShotRules rules{.rigid = key_held(gs, p.rigid_key), .unit_player_width = false};
    if (fire_rope_with(gs, i, r, rules))
        play_sample(gs, host, Sample::grapple);
}

void solve_rope(GameState& gs, int i, int r) {
    solve_rope_in(gs, i, r);
}

void rope_step(GameState& gs, GameHost& host, int i, int r) {
    rope_step_with(gs, i, r, [&] { fire_rope(gs, host, i, r); });
}
