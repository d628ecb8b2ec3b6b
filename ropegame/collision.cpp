// Ropegame's contact with the ground: always hard (no soft mode), the surface judged by the
// caller, and ground points that give way a little under a ball or the light.
#include "physics/collision.h"
#include "ropegame/sim.h"

#include <cmath>

namespace ropegame {

void collide_player_with_segment(const GroundPoint& a, const GroundPoint& b, float& x, float& y,
                                 float r, bool& hit, Player& p, bool ctrl_held) {
    // The shared collision sets its own surface flags; here only the touch itself counts.
    bool contact = false, death = false;
    const CollisionSettings settings{.soft_collisions = false, .ctrl_held = ctrl_held};
    if (collide_with_segment(a, b, x, y, r, contact, SURFACE_GROUND, true, death, settings)) {
        hit = true;
        p.contact_timer = 3;
    }
}

void collide_body_with_segment(const GroundPoint& a, const GroundPoint& b, float& x, float& y,
                               float r) {
    bool contact = false, death = false;
    const CollisionSettings settings{.soft_collisions = false, .ctrl_held = false};
    collide_with_segment(a, b, x, y, r, contact, SURFACE_GROUND, false, death, settings);
}

void push_ground_point(GroundPoint& g, float& x, float& y, float r) {
    const float dx = x - g.x, dy = y - g.y;
    const float d2 = dx * dx + dy * dy;
    // A centre exactly on the point has no direction to push along.
    if (!(d2 < r * r) || d2 == 0)
        return;
    const float d = std::sqrt(d2);
    const float q = 0.5f * (r - d);
    x += dx / d * q * 1.9f;
    y += dy / d * q * 1.9f;
    g.x -= dx / d * q * 0.1f;
    g.y -= dy / d * q * 0.1f;
}

} // namespace ropegame
