#include "game/collision.h"

#include <cmath>
#include <limits>

SegmentParams segment_intersection(float x1, float y1, float x2, float y2, float x3, float y3,
                                   float x4, float y4) {
    const float ex = x2 - x1, ey = y2 - y1;
    const float dx = x3 - x4, dy = y3 - y4;
    const float cx = x1 - x4, cy = y1 - y4;
    const float den = ex * dy - ey * dx;
    // Parallel or degenerate segments never cross; say so with NaN instead of dividing.
    if (den == 0) {
        const float nan = std::numeric_limits<float>::quiet_NaN();
        return {nan, nan};
    }
    return {(dx * cy - dy * cx) / den, (ex * cy - ey * cx) / den};
}

bool params_in_unit_range(SegmentParams p) {
    return p.t >= 0 && p.t <= 1 && p.w >= 0 && p.w <= 1;
}

void collide_with_segment(const GroundPoint& p1, const GroundPoint& p2, float& x, float& y, float r,
                          bool& contact, int surface, bool is_player, bool& death,
                          const CollisionSettings& settings) {
    const float x1 = p1.x, y1 = p1.y, x2 = p2.x, y2 = p2.y;
    const float k = settings.soft_collisions ? 5.0f : 2.0f;
    const float big_r = k * r;

    // Quick rejection before any square root or division by the segment length.
    const float r2 = big_r * big_r;
    if (!((x - x1) * (x - x2) / big_r < r2 && (y - y1) * (y - y2) / big_r < r2))
        return;

    float ux = x2 - x1, uy = y2 - y1;
    const float length = std::sqrt(ux * ux + uy * uy);
    // A zero-length segment has no direction: it never touches anything.
    if (length == 0)
        return;
    ux /= length;
    uy /= length;
    const float nx = uy, ny = -ux; // into the solid side
    const float ox = nx * r, oy = ny * r;

    const float bx = x - nx * (k * r), by = y - ny * (k * r);
    float ax = x + ox, ay = y + oy;
    if (settings.ctrl_held && is_player) {
        ax += nx * 0.8f;
        ay += ny * 0.8f;
    }

    const SegmentParams p = segment_intersection(x1, y1, x2, y2, ax, ay, bx, by);
    if (!params_in_unit_range(p))
        return;

    const float sx = x1 + p.t * (x2 - x1), sy = y1 + p.t * (y2 - y1);
    const float tx = sx - ox, ty = sy - oy;

    switch (p1.type) {
    case SURFACE_GROUND:
        contact = true;
        break;
    case SURFACE_ICE:
        contact = false;
        break;
    case SURFACE_SPIKES:
        death = true;
        break;
    default:
        break;
    }

    if (surface == SOFT_SURFACE || settings.soft_collisions) {
        contact = true;
        x = 0.8f * x + 0.2f * tx;
        y = 0.8f * y + 0.2f * ty;
    } else {
        x = tx;
        y = ty;
    }
}
