#include "glimbo/game_state.h"

void init_game_state(GameState& gs, int mouse_count) {
    if (mouse_count < 0)
        mouse_count = 0;
    gs = GameState{};
    gs.players.assign(size_t(mouse_count) + 2, Player{});
    gs.player_count = mouse_count;
}

bool key_held(const GameState& gs, int code) {
    // Key codes come from bindings and from the quick save; anything outside the table is
    // a key no keyboard produces.
    if (code < 0 || code >= int(gs.key_down.size()))
        return false;
    return gs.key_down[size_t(code)] != 0;
}
