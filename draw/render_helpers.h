// Drawing helpers of the game's renderer: textured quads, spheres and blobs at a world
// position, the look of a ground segment and the pointers' colour.
#pragma once

#include "draw/render_types.h"

#include <cstdint>

// Binds texture slot `slot` (an out-of-range slot binds no texture).
void bind_slot(const RenderResources& gfx, int slot);

// A quad with normal (0, 0, 1) centred on (x, y) at depth z, half sizes w and h.
void draw_quad_at(const RenderResources& gfx, float x, float y, float z, float w, float h,
                  int slot);

// Axis of a sphere's second turn of 90 degrees: (1, 1, 0) in glimbo, (1, 0, 0) in ropegame.
enum class SphereTilt { diagonal, about_x };

// A 16 x 16 sphere at (x, y, z), turned by `angle` degrees about z, then 90 about the
// tilt axis.
void draw_sphere_at(const RenderResources& gfx, float x, float y, float z, float radius,
                    float angle, int slot, SphereTilt tilt = SphereTilt::diagonal);

// The blob list (a 6 x 6 unit sphere) at (x, y, z), scaled by size x 1.2.
void draw_blob_at(const RenderResources& gfx, float x, float y, float z, float size, int slot);
// The same with the texture bound now, for rows of blobs of one texture.
void draw_blob_with_bound_texture(const RenderResources& gfx, float x, float y, float z,
                                  float size);

// A quad turned by `angle` degrees about z around (x, y), at depth z.
void draw_rotated_quad(const RenderResources& gfx, float x, float y, float z, float w, float h,
                       int slot, float angle);

// How ground segment k looks: its texture slot and whether it gets the scrolling overlay.
struct SegmentLook {
    int slot = SLOT_HEAD;
    bool overlay = true;
};

// By the surface type of the segment's first point and of the point after it.
SegmentLook segment_look(int32_t type, int32_t next_type);

// Steps the pointers' colour cycle once and makes its colour the current one.
void set_next_pointer_colour(RenderState& rs);
