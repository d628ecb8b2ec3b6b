#include "physics/collision.h"

#include <algorithm>
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

bool collide_near_segment(const GroundPoint& p1, const GroundPoint& p2, float& x, float& y, float r,
                          bool& contact, int surface, bool is_player, bool& death,
                          const CollisionSettings& settings) {
    const float x1 = p1.x, y1 = p1.y, x2 = p2.x, y2 = p2.y;
    const float k = settings.soft_collisions ? 5.0f : 2.0f;

    float ux = x2 - x1, uy = y2 - y1;
    const float length = std::sqrt(ux * ux + uy * uy);
    // A zero-length segment has no direction: it never touches anything.
    if (length == 0)
        return false;
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
        return false;

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
    return true;
}

void build_segment_blocks(const std::vector<GroundPoint>& ground, SegmentBlocks& blocks) {
    blocks.boxes.clear();
    const size_t segments = ground.size() < 2 ? 0 : ground.size() - 1;
    for (size_t first = 0; first < segments; first += SegmentBlocks::SEGMENTS_PER_BLOCK) {
        const size_t last = std::min(first + SegmentBlocks::SEGMENTS_PER_BLOCK, segments);
        SegmentBlocks::Box box{ground[first].x, ground[first].x, ground[first].y, ground[first].y};
        for (size_t k = first + 1; k <= last; ++k) {
            box.min_x = std::min(box.min_x, ground[k].x);
            box.max_x = std::max(box.max_x, ground[k].x);
            box.min_y = std::min(box.min_y, ground[k].y);
            box.max_y = std::max(box.max_y, ground[k].y);
        }
        blocks.boxes.push_back(box);
    }
}

void collide_body_with_ground(const std::vector<GroundPoint>& ground, const SegmentBlocks& blocks,
                              float& x, float& y, float r, const CollisionSettings& settings) {
    const size_t segments = ground.size() < 2 ? 0 : ground.size() - 1;
    const float big_r = (settings.soft_collisions ? 5.0f : 2.0f) * r;
    // Farther than `margin` outside a box along x or y, both factors of the quick
    // rejection's product exceed it for every segment of the box, so the product is at
    // least margin^2 > R^3 and every call would be rejected.
    const float margin = std::sqrt(big_r * big_r * big_r * 1.0001f) * 1.001f;
    const bool can_skip = big_r >= MIN_SHORTCUT_R && std::isfinite(margin);
    for (size_t b = 0; b < blocks.boxes.size(); ++b) {
        const SegmentBlocks::Box& box = blocks.boxes[b];
        if (can_skip && (x - box.max_x > margin || box.min_x - x > margin ||
                         y - box.max_y > margin || box.min_y - y > margin))
            continue;
        const size_t first = b * SegmentBlocks::SEGMENTS_PER_BLOCK;
        const size_t last = std::min(first + SegmentBlocks::SEGMENTS_PER_BLOCK, segments);
        for (size_t k = first; k < last; ++k) {
            bool contact = false, death = false;
            collide_with_segment(ground[k], ground[k + 1], x, y, r, contact, 1, false, death,
                                 settings);
        }
    }
}
