// Each mouse's pointer: raw motion collects into an offset held within a rectangle around
// the ball, shown at a tenth of a world unit per mouse unit.
#include "ropegame/sim.h"

#include <algorithm>

namespace ropegame {

void player_mouse_input(World& w, int i, int32_t x, int32_t y, int32_t wheel, bool left, bool right,
                        bool middle) {
    // Mouse indices come from the raw-input layer; a mouse without a record is ignored.
    if (i < 0 || i >= int(w.players.size()) || i >= int(w.pointer_inputs.size()))
        return;
    PointerInput& in = w.pointer_inputs[size_t(i)];
    in.offset_x += float(x);
    in.offset_y -= float(y);
    in.wheel = float(wheel);
    w.players[size_t(i)].button_down = {uint8_t(left ? 1 : 0), uint8_t(right ? 1 : 0),
                                        uint8_t(middle ? 1 : 0)};
}

void update_pointers(World& w, GameHost& host) {
    host.set_cursor_position(host.screen_center_x, host.screen_center_y);
    for (int i = 0; i < w.player_count; ++i) {
        PointerInput& in = w.pointer_inputs[size_t(i)];
        const Player& p = w.players[size_t(i)];
        in.offset_x = std::clamp(in.offset_x, -POINTER_LIMIT_X, POINTER_LIMIT_X);
        in.offset_y = std::clamp(in.offset_y, -POINTER_LIMIT_Y, POINTER_LIMIT_Y);
        in.pointer_x = p.x + POINTER_SCALE * in.offset_x;
        in.pointer_y = p.y + POINTER_SCALE * in.offset_y;
    }
}

} // namespace ropegame
