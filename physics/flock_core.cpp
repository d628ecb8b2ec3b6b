#include "physics/flock_core.h"

#include <cmath>

void flock_detail::keep_spacing(std::array<Sheep, FLOCK_SIZE>& flock) {
    const float spacing = 2.0f * flock[0].radius;
    const float spacing2 = spacing * spacing;
    for (int i = 0; i < FLOCK_SIZE - 1; ++i) {
        Sheep& a = flock[size_t(i)];
        for (int j = i + 1; j < FLOCK_SIZE; ++j) {
            Sheep& b = flock[size_t(j)];
            const float dx = a.x - b.x, dy = a.y - b.y;
            const float d2 = dx * dx + dy * dy;
            // Sheep at the same spot have no direction to separate along.
            if (!(d2 < spacing2) || d2 == 0)
                continue;
            const float d = std::sqrt(d2);
            const float push = (spacing - d) * 0.46f;
            const float ux = dx / d, uy = dy / d;
            a.x += ux * push;
            a.y += uy * push;
            b.x -= ux * push;
            b.y -= uy * push;
        }
    }
}
