#define GL_GLEXT_PROTOTYPES // glMultiDrawArrays (OpenGL 1.4)
#include "draw/sphere_mesh.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <cmath>

namespace {

constexpr double PI = 3.14159265358979323846;

// Vertex k of a strip: even k on the stack's upper ring (j + 1), odd k on its lower ring (j),
// both at slice k / 2.
struct StripVertex {
    int ring, slice;
};

StripVertex strip_vertex(int j, int k) {
    return {k % 2 == 0 ? j + 1 : j, k / 2};
}

} // namespace

SphereMesh make_sphere_mesh() {
    SphereMesh m;
    // The angles are rounded to float before their sine is taken in double, and the
    // sines are rounded to float: GLU's arithmetic, so that every value comes out equal.
    for (int i = 0; i < SPHERE_SLICES; ++i) {
        const float angle = float(2 * PI * i / SPHERE_SLICES);
        m.slice_sin[size_t(i)] = float(std::sin(double(angle)));
        m.slice_cos[size_t(i)] = float(std::cos(double(angle)));
    }
    m.slice_sin[SPHERE_SLICES] = m.slice_sin[0];
    m.slice_cos[SPHERE_SLICES] = m.slice_cos[0];
    for (int j = 0; j <= SPHERE_STACKS; ++j) {
        const float angle = float(PI * j / SPHERE_STACKS);
        m.stack_sin_wide[size_t(j)] = std::sin(double(angle));
        m.stack_cos_wide[size_t(j)] = std::cos(double(angle));
        m.stack_sin[size_t(j)] = float(m.stack_sin_wide[size_t(j)]);
        m.stack_cos[size_t(j)] = float(m.stack_cos_wide[size_t(j)]);
    }
    size_t v = 0;
    for (int j = 0; j < SPHERE_STACKS; ++j)
        for (int k = 0; k < SPHERE_STRIP_VERTICES; ++k, ++v) {
            const StripVertex sv = strip_vertex(j, k);
            const float s = m.stack_sin[size_t(sv.ring)];
            m.normals[3 * v] = m.slice_sin[size_t(sv.slice)] * s;
            m.normals[3 * v + 1] = m.slice_cos[size_t(sv.slice)] * s;
            m.normals[3 * v + 2] = m.stack_cos[size_t(sv.ring)];
            m.texcoords[2 * v] = 1 - float(sv.slice) / SPHERE_SLICES;
            m.texcoords[2 * v + 1] = 1 - float(sv.ring) / SPHERE_STACKS;
        }
    return m;
}

void sphere_positions(const SphereMesh& m, double radius,
                      std::array<float, SPHERE_VERTICES * 3>& positions) {
    std::array<float, SPHERE_STACKS + 1> ring_radius{}, ring_z{};
    for (size_t j = 0; j <= SPHERE_STACKS; ++j) {
        ring_radius[j] = float(radius * m.stack_sin_wide[j]);
        ring_z[j] = float(radius * m.stack_cos_wide[j]);
    }
    // The poles are points, whatever the sine of pi rounds to.
    ring_radius[0] = 0;
    ring_radius[SPHERE_STACKS] = 0;
    size_t v = 0;
    for (int j = 0; j < SPHERE_STACKS; ++j)
        for (int k = 0; k < SPHERE_STRIP_VERTICES; ++k, ++v) {
            const StripVertex sv = strip_vertex(j, k);
            const float r = ring_radius[size_t(sv.ring)];
            positions[3 * v] = r * m.slice_sin[size_t(sv.slice)];
            positions[3 * v + 1] = r * m.slice_cos[size_t(sv.slice)];
            positions[3 * v + 2] = ring_z[size_t(sv.ring)];
        }
}

void draw_sphere_mesh(const SphereMesh& m, double radius) {
    std::array<float, SPHERE_VERTICES * 3> positions;
    sphere_positions(m, radius, positions);
    static const auto strips = [] {
        std::array<GLint, SPHERE_STACKS> first{};
        for (int j = 0; j < SPHERE_STACKS; ++j)
            first[size_t(j)] = j * SPHERE_STRIP_VERTICES;
        return first;
    }();
    static const auto counts = [] {
        std::array<GLsizei, SPHERE_STACKS> count{};
        count.fill(SPHERE_STRIP_VERTICES);
        return count;
    }();
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, positions.data());
    glNormalPointer(GL_FLOAT, 0, m.normals.data());
    glTexCoordPointer(2, GL_FLOAT, 0, m.texcoords.data());
    glMultiDrawArrays(GL_QUAD_STRIP, strips.data(), counts.data(), SPHERE_STACKS);
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
}
