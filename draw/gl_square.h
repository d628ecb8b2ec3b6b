// The textured square every program draws its sprites with, in fixed-function OpenGL.
#pragma once

// The games give their squares the normal (0, 0, 1); the editors give none.
enum class QuadNormal { none, facing_viewer };

// One quadrilateral centred at (x, y) at depth z with half-sizes w, h, texture upright,
// drawn with the texture bound now.
void draw_quad_at(float x, float y, float z, float w, float h,
                  QuadNormal normal = QuadNormal::none);
