#include "glimbo/game.h"

void start_game(GameState& gs, GameHost& host) {
    // The level's ground line goes with the old window; the reset reads it afresh.
    gs.level.ground.clear();
    reset_level(gs, host);
    install_default_controls(gs);
    fill_menu_items(gs);
}
