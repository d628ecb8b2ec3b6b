// The flock step over any world with the game's fields: `flock`, `players`,
// `player_count`, `level.ground` and `ground_blocks`. Both games run it; the collision
// settings are each game's choice.
#pragma once

#include "physics/collision.h"
#include "level/level_file.h"
#include "physics/world_parts.h"

#include <vector>
#include "platform/random.h"

#include <cmath>

namespace flock_detail {

constexpr float KICK_SCALE = 0.0000061037017f; // 0..32767 onto 0..0.2
constexpr float DAMPING = 0.97f;

inline float drift_kick() {
    return float(random_next()) * KICK_SCALE - 0.1f;
}

inline void drift(Sheep& s) {
    const float vx = (s.x - s.prev_x) + drift_kick();
    const float vy = (s.y - s.prev_y) + drift_kick();
    s.x += vx * DAMPING;
    s.y += vy * DAMPING;
    s.prev_x += vx;
    s.prev_y += vy;
}

// Sheep and player push each other apart; the player counts as gripping for three steps.
template <class P> void shove(Sheep& s, P& p) {
    const float dx = s.x - p.x, dy = s.y - p.y;
    const float d = std::sqrt(dx * dx + dy * dy);
    if (!(d < s.radius + p.radius))
        return;
    p.in_contact = 1;
    p.contact_timer = 3;
    // Coincident centres give no direction to push along.
    if (d == 0)
        return;
    const float q = (s.radius + p.radius - d) * 0.4f;
    const float ux = dx / d, uy = dy / d;
    s.x += ux * (2.0f * q);
    s.y += uy * (2.0f * q);
    p.x -= ux * (0.2f * q);
    p.y -= uy * (0.2f * q);
}

void keep_spacing(std::array<Sheep, FLOCK_SIZE>& flock);

} // namespace flock_detail

// Drift, ground, players, then two spacing passes.
template <class World> void flock_step_in(World& w, const CollisionSettings& settings) {
    using namespace flock_detail;
    build_segment_blocks(w.level.ground, w.ground_blocks);
    for (Sheep& s : w.flock) {
        drift(s);
        collide_body_with_ground(w.level.ground, w.ground_blocks, s.x, s.y, s.radius, settings);
        if (s.y < -300) {
            s.x = s.prev_x = 0;
            s.y = s.prev_y = -1;
        }
        for (int p = 0; p < w.player_count; ++p)
            shove(s, w.players[size_t(p)]);
    }
    keep_spacing(w.flock);
    keep_spacing(w.flock);
}
