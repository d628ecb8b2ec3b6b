#include "draw/render_helpers.h"

#include "draw/gl_square.h"
#include "level/level_file.h"

#include <GL/gl.h>
#include <GL/glu.h>

const std::array<const char*, TEXTURE_SLOT_COUNT> TEXTURE_FILES = {
    "Data/head.tga",          "Data/Ground.tga",     "Data/sheep.tga",
    "Data/pointer.tga",       "Data/gdust.tga",      "Data/HANDLE.tga",
    "Data/BALL.tga",          "Data/body.tga",       "Data/glimbo.tga",
    "Data/ice.tga",           "Data/spikes.tga",     "Data/minisheep.tga",
    "Data/miniball.tga",      "Data/stars.tga",      "Data/ground2spikes.tga",
    "Data/spikes2ground.tga", "Data/ground2ice.tga", "Data/ice2ground.tga",
    "Data/spikes2ice.tga",    "Data/ice2spikes.tga",
};

void bind_slot(const RenderResources& gfx, int slot) {
    const bool valid = slot >= 0 && slot < TEXTURE_SLOT_COUNT;
    glBindTexture(GL_TEXTURE_2D, valid ? gfx.texture_ids[size_t(slot)] : 0);
}

void draw_quad_at(const RenderResources& gfx, float x, float y, float z, float w, float h,
                  int slot) {
    bind_slot(gfx, slot);
    draw_quad_at(x, y, z, w, h, QuadNormal::facing_viewer);
}

void draw_sphere_at(const RenderResources& gfx, float x, float y, float z, float radius,
                    float angle, int slot, SphereTilt tilt) {
    glPushMatrix();
    glTranslatef(x, y, z);
    glRotatef(angle, 0, 0, 1);
    glRotatef(90, 1, tilt == SphereTilt::diagonal ? 1.0f : 0.0f, 0);
    bind_slot(gfx, slot);
    if (!gfx.immediate_mode)
        draw_sphere_mesh(gfx.sphere, radius);
    // Without a quadric (no context set up) there is nothing to draw with.
    else if (gfx.sphere_quadric)
        gluSphere(gfx.sphere_quadric, radius, SPHERE_SLICES, SPHERE_STACKS);
    glPopMatrix();
}

void draw_blob_at(const RenderResources& gfx, float x, float y, float z, float size, int slot) {
    bind_slot(gfx, slot);
    draw_blob_with_bound_texture(gfx, x, y, z, size);
}

void draw_blob_with_bound_texture(const RenderResources& gfx, float x, float y, float z,
                                  float size) {
    glPushMatrix();
    glTranslatef(x, y, z);
    glRotatef(0, 0, 1, 0);
    glRotatef(-90, 1, 0, 0);
    const float s = size * 1.2f;
    glScalef(s, s, s);
    if (gfx.blob_list)
        glCallList(gfx.blob_list);
    glPopMatrix();
}

void draw_rotated_quad(const RenderResources& gfx, float x, float y, float z, float w, float h,
                       int slot, float angle) {
    glPushMatrix();
    glTranslatef(x, y, 0);
    glRotatef(angle, 0, 0, 1);
    bind_slot(gfx, slot);
    draw_quad_at(0, 0, z, w, h, QuadNormal::facing_viewer);
    glPopMatrix();
}

SegmentLook segment_look(int32_t type, int32_t next_type) {
    switch (type) {
    case SURFACE_GROUND:
        if (next_type == SURFACE_SPIKES)
            return {SLOT_GROUND2SPIKES, false};
        if (next_type == SURFACE_ICE)
            return {SLOT_GROUND2ICE, false};
        return {SLOT_GROUND, false};
    case SURFACE_ICE:
        if (next_type == SURFACE_SPIKES)
            return {SLOT_ICE2SPIKES, true};
        if (next_type == SURFACE_GROUND)
            return {SLOT_ICE2GROUND, true};
        return {SLOT_ICE, true};
    case SURFACE_SPIKES:
        if (next_type == SURFACE_GROUND)
            return {SLOT_SPIKES2GROUND, true};
        if (next_type == SURFACE_ICE)
            return {SLOT_SPIKES2ICE, true};
        return {SLOT_SPIKES, true};
    default:
        return {SLOT_HEAD, true};
    }
}

void set_next_pointer_colour(RenderState& rs) {
    advance_colour_cycle(rs.pointer_color);
    glColor3ub(GLubyte(rs.pointer_color.red), GLubyte(rs.pointer_color.green),
               GLubyte(rs.pointer_color.blue));
}
