// Draws textured spheres the way the game wraps its skins round them, so the review
// picture shows the ball, sheep, blob and hook as a player sees them.
#pragma once

#include "tools/content/image.h"

struct SpherePose {
    float angle_deg = 0; // turn about the view axis, as the game rolls its balls
    Color tint = {1, 1, 1, 1};
};

// Paints a lit sphere of `radius` pixels centred at (cx, cy) on `out`, wrapped with
// `skin` (u round the axis, v from pole to pole). Pixels whose alpha is at or below
// 0.05 are dropped, like the games' alpha test.
void draw_sphere_preview(Image& out, float cx, float cy, float radius, const Image& skin,
                         const SpherePose& pose);
