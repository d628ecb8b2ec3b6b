// A silent host and a long rolling level for the step benchmarks.
#pragma once

#include "tests/glimbo/test_world.h"

// Ignores everything, so timings measure the step alone.
struct SilentHost : GameHost {
    void play_sample(Sample, int) override {}
    void show_message(const std::string&, const std::string&, MessageIcon) override {}
    void request_quit() override {}
    void set_cursor_position(int, int) override {}
};

// A rolling ground line from x = -1000 to 1000 (500 segments, every seventh point ice),
// open side above, and one far blob.
inline void rolling_level(LevelData& level) {
    for (int k = 0; k <= 500; ++k) {
        GroundPoint g;
        g.x = -1000.0f + 4.0f * float(k);
        g.y = -6.0f + 3.0f * std::sin(g.x * 0.05f);
        g.type = k % 7 == 3 ? SURFACE_ICE : SURFACE_GROUND;
        level.ground.push_back(g);
        level.base.push_back({g.x, g.y - 15});
    }
    level.blobs = {blob_at(900, 900)};
}

