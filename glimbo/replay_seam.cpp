#include "glimbo/replay_seam.h"

#include "glimbo/game.h"

void GlimboSeam::allocate(int mouse_count) {
    init_game_state(gs_, mouse_count);
}

void GlimboSeam::start(GameHost& host) {
    start_game(gs_, host);
}

void GlimboSeam::key(uint32_t code, bool down) {
    key_event(gs_, int(code), down);
}

void GlimboSeam::mouse(int index, int32_t dx, int32_t dy, int32_t wheel, bool left, bool right,
                       bool middle) {
    player_mouse_input(gs_, index, dx, dy, wheel, left, right, middle);
}

void GlimboSeam::step(GameHost& host, uint32_t elapsed_ms) {
    game_step(gs_, host, elapsed_ms);
}
