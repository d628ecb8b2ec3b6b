#include "ropegame/world.h"

#include <cstdio>

namespace ropegame {

void init_world(World& w, int mouse_count) {
    if (mouse_count < 0)
        mouse_count = 0;
    w = World{};
    w.players.assign(size_t(mouse_count) + 2, Player{});
    w.pointer_inputs.assign(size_t(mouse_count) + 2, PointerInput{});
    w.player_count = mouse_count;
    fill_level_names(w);
}

void fill_level_names(World& w) {
    for (int i = 0; i < LEVEL_NAME_COUNT; ++i) {
        auto& name = w.level_names[size_t(i)];
        std::snprintf(name.data(), name.size(), "levels/level%d.svg", i + 1);
    }
}

bool key_held(const World& w, int code) {
    if (code < 0 || code >= int(w.key_down.size()))
        return false;
    return w.key_down[size_t(code)] != 0;
}

void key_event(World& w, int code, bool down) {
    // Codes beyond the table come from no keyboard.
    if (code < 0 || code >= int(w.key_down.size()))
        return;
    w.key_down[size_t(code)] = down ? 1 : 0;
}

} // namespace ropegame
