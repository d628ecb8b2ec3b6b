#include "tools/content/mygame_ground.h"

#include <cmath>

MyGameData make_mygame_ground() {
    MyGameData g;
    auto add = [&](float x, float y, float bottom_y) {
        g.top.push_back({x, y});
        g.bottom.push_back({x, bottom_y});
    };
    const float bottom = -16;
    add(-100, 25, bottom); // left wall: the top line walks down it, pushing things right
    for (int i = 0; i <= 100; ++i) {
        float x = -100 + i * 5.0f;
        float hills = 2.6f * std::sin(x / 23.0f) + 1.4f * std::sin(x / 9.7f + 1.3f) +
                      3.0f * std::sin(x / 61.0f - 0.4f);
        // Flatter near the start so the creature lands on level ground.
        float calm = 0.35f + 0.65f * std::min(1.0f, std::fabs(x) / 40.0f);
        add(x, -5.0f + hills * calm, bottom);
    }
    add(400, 25, bottom); // right wall
    return g;
}
