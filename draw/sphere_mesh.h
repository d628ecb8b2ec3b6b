// The games' 16 x 16 sphere as vertex arrays: for any radius, the very vertices, normals
// and texture coordinates, in the same quad strips, that gluSphere with smooth normals and
// texture coordinates sends, without tessellating again on every call.
#pragma once

#include <array>

constexpr int SPHERE_SLICES = 16;
constexpr int SPHERE_STACKS = 16;
constexpr int SPHERE_STRIP_VERTICES = 2 * (SPHERE_SLICES + 1);
constexpr int SPHERE_VERTICES = SPHERE_STACKS * SPHERE_STRIP_VERTICES;

struct SphereMesh {
    // Sine and cosine of each slice's angle (the first repeated at the end) and of each
    // stack's angle, rounded as GLU rounds them; the stacks' also unrounded, for the radius.
    std::array<float, SPHERE_SLICES + 1> slice_sin{}, slice_cos{};
    std::array<float, SPHERE_STACKS + 1> stack_sin{}, stack_cos{};
    std::array<double, SPHERE_STACKS + 1> stack_sin_wide{}, stack_cos_wide{};
    std::array<float, SPHERE_VERTICES * 3> normals{};
    std::array<float, SPHERE_VERTICES * 2> texcoords{};
};

SphereMesh make_sphere_mesh();

// Vertex positions of the sphere of `radius`, strip by strip.
void sphere_positions(const SphereMesh& mesh, double radius,
                      std::array<float, SPHERE_VERTICES * 3>& positions);

// Draws the sphere of `radius` around the origin with the current texture and colour.
void draw_sphere_mesh(const SphereMesh& mesh, double radius);
