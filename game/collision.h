// Collision of round bodies with one-sided ground segments, and the segment crossing test
// shared with the grapple rope.
#pragma once

#include "level/level_file.h"

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

// Keeps a body of radius r centred at (x, y) on the open (left) side of the segment from
// p1 to p2. The segment's surface is p1.type: ground sets `contact`, ice clears it, spikes
// set `death`. Callers reset the flags before the call when they use them.
void collide_with_segment(const GroundPoint& p1, const GroundPoint& p2, float& x, float& y, float r,
                          bool& contact, int surface, bool is_player, bool& death,
                          const CollisionSettings& settings);
