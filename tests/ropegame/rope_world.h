// Ropegame worlds for the tests, beside the recording host and level helpers of the
// glimbo simulation tests.
#pragma once

#include "ropegame/sim.h"
#include "tests/glimbo/test_world.h"

#include <utility>
#include <vector>

// A world in play with balls at rest at the given spots; a far blob keeps the level going.
inline ropegame::World rope_world(std::vector<std::pair<float, float>> spots) {
    random_reset();
    ropegame::World w;
    ropegame::init_world(w, int(spots.size()));
    for (size_t i = 0; i < spots.size(); ++i) {
        ropegame::Player& p = w.players[i];
        p.x = p.prev_x = spots[i].first;
        p.y = p.prev_y = spots[i].second;
        p.radius = 1;
        p.button_ready = {1, 1, 1};
        w.pointer_inputs[i].offset_x = 100; // aim to the right
        w.pointer_inputs[i].pointer_x = p.x + 10;
        w.pointer_inputs[i].pointer_y = p.y;
    }
    w.level.blobs = {blob_at(5000, 5000)};
    w.playing = true;
    return w;
}

inline void hold(ropegame::World& w, int code, bool down = true) {
    w.key_down[size_t(code)] = down ? 1 : 0;
}

inline void run(ropegame::World& w, FakeHost& host, int steps = 1) {
    for (int s = 0; s < steps; ++s)
        ropegame::game_step(w, host, 20);
}

// A world started on the title screen in `dir`, as the program leaves it.
inline ropegame::World start_in(const TempDir& dir, FakeHost& host, int mice = 1,
                                int level_index = 0) {
    random_reset();
    ropegame::World w;
    ropegame::init_world(w, mice);
    w.files_dir = dir.path.string();
    w.level_index = level_index;
    ropegame::reset_level(w, host);
    return w;
}
