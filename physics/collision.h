// Collision of round bodies with one-sided ground segments, and the segment crossing test
// shared with the grapple rope.
#pragma once

#include "level/level_file.h"

#include <vector>

struct SegmentParams {
    float t = 0; // along the first segment, P1 + t (P2 - P1)
    float w = 0; // along the second, P4 + w (P3 - P4)
};

// Solves P1 + t (P2 - P1) = P4 + w (P3 - P4). Parallel segments give an infinity or NaN.
SegmentParams segment_intersection(float x1, float y1, float x2, float y2, float x3, float y3,
                                   float x4, float y4);

// True when both parameters lie in [0, 1]; NaN fails.
bool params_in_unit_range(SegmentParams p);

// Game-wide inputs of the collision.
struct CollisionSettings {
    bool soft_collisions = false;
    bool ctrl_held = false;
};

// Surface argument that asks for a soft contact.
constexpr int SOFT_SURFACE = 4;

// The collision once the quick rejection has passed. True when the probe crossed the
// segment (the body was placed), whatever the surface.
bool collide_near_segment(const GroundPoint& p1, const GroundPoint& p2, float& x, float& y, float r,
                          bool& contact, int surface, bool is_player, bool& death,
                          const CollisionSettings& settings);

// Below this R its cube may lose precision, so the shortcut is not taken.
constexpr float MIN_SHORTCUT_R = 1e-6f;

// Quick rejection: the body is near enough to the segment's box to be tested. A product
// well above R^3 fails the test without the division; it decides exactly as the division
// would, only sooner (most calls end here).
inline bool near_segment(float p, float big_r, float limit) {
    if (big_r >= MIN_SHORTCUT_R && p >= limit)
        return false;
    return p / big_r < big_r * big_r;
}

// Keeps a body of radius r centred at (x, y) on the open (left) side of the segment from
// p1 to p2. The segment's surface is p1.type: ground sets `contact`, ice clears it, spikes
// set `death`. Callers reset the flags before the call when they use them. True when the
// body touched the segment and was placed.
inline bool collide_with_segment(const GroundPoint& p1, const GroundPoint& p2, float& x, float& y,
                                 float r, bool& contact, int surface, bool is_player, bool& death,
                                 const CollisionSettings& settings) {
    const float big_r = (settings.soft_collisions ? 5.0f : 2.0f) * r;
    // R^3 with a margin far above rounding, so that p >= limit implies p / R >= R^2.
    const float limit = big_r * big_r * big_r * 1.0001f;
    if (!near_segment((x - p1.x) * (x - p2.x), big_r, limit) ||
        !near_segment((y - p1.y) * (y - p2.y), big_r, limit))
        return false;
    return collide_near_segment(p1, p2, x, y, r, contact, surface, is_player, death, settings);
}

// Boxes around runs of consecutive ground segments, so that a body far from a whole run
// skips it at once. Skipping only ever drops calls that the quick rejection would end, so
// results are exactly those of testing every segment.
struct SegmentBlocks {
    static constexpr size_t SEGMENTS_PER_BLOCK = 16;
    struct Box {
        float min_x, max_x, min_y, max_y;
    };
    std::vector<Box> boxes; // reused from step to step
};

void build_segment_blocks(const std::vector<GroundPoint>& ground, SegmentBlocks& blocks);

// collide_with_segment against every segment in index order, for a body whose flags are
// not used (surface argument 1, not a player).
void collide_body_with_ground(const std::vector<GroundPoint>& ground, const SegmentBlocks& blocks,
                              float& x, float& y, float r, const CollisionSettings& settings);
