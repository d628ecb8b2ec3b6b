#include "ropegame/replay_seam.h"

#include "ropegame/sim.h"

namespace ropegame {

void Seam::allocate(int mouse_count) {
    init_world(w_, mouse_count);
}

void Seam::start(GameHost& host) {
    start_game(w_, host);
}

void Seam::key(uint32_t code, bool down) {
    key_event(w_, int(code), down);
}

void Seam::mouse(int index, int32_t dx, int32_t dy, int32_t wheel, bool left, bool right,
                 bool middle) {
    player_mouse_input(w_, index, dx, dy, wheel, left, right, middle);
}

void Seam::step(GameHost& host, uint32_t elapsed_ms) {
    game_step(w_, host, elapsed_ms);
}

} // namespace ropegame
