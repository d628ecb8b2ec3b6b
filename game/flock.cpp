#include "game/flock.h"

#include "game/collision.h"
#include "game/keys.h"
#include "platform/random.h"

#include <cmath>

namespace {

constexpr float KICK_SCALE = 0.0000061037017f; // 0..32767 onto 0..0.2
constexpr float DAMPING = 0.97f;

float drift_kick() {
    return float(random_next()) * KICK_SCALE - 0.1f;
}

void drift(Sheep& s) {
    const float vx = (s.x - s.prev_x) + drift_kick();
    const float vy = (s.y - s.prev_y) + drift_kick();
    s.x += vx * DAMPING;
    s.y += vy * DAMPING;
    s.prev_x += vx;
    s.prev_y += vy;
}

// Sheep and player push each other apart; the player counts as gripping for three steps.
void shove(Sheep& s, Player& p) {
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

void keep_spacing(GameState& gs) {
    const float spacing = 2.0f * gs.flock[0].radius;
    const float spacing2 = spacing * spacing;
    for (int i = 0; i < FLOCK_SIZE - 1; ++i) {
        Sheep& a = gs.flock[size_t(i)];
        for (int j = i + 1; j < FLOCK_SIZE; ++j) {
            Sheep& b = gs.flock[size_t(j)];
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

} // namespace

void flock_step(GameState& gs) {
    const CollisionSettings settings{gs.soft_collisions, key_held(gs, KEY_CTRL)};
    build_segment_blocks(gs.level.ground, gs.ground_blocks);
    for (Sheep& s : gs.flock) {
        drift(s);
        collide_body_with_ground(gs.level.ground, gs.ground_blocks, s.x, s.y, s.radius, settings);
        if (s.y < -300) {
            s.x = s.prev_x = 0;
            s.y = s.prev_y = -1;
        }
        for (int p = 0; p < gs.player_count; ++p)
            shove(s, gs.players[size_t(p)]);
    }
    keep_spacing(gs);
    keep_spacing(gs);
}
