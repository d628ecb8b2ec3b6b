#include "draw/render_parts.h"

#include <cstdarg>
#include <cstdio>

void print_text(const RenderResources& gfx, const char* format, ...) {
    if (!gfx.print)
        return;
    char text[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    gfx.print(text);
}

int map_slot(int32_t type) {
    switch (type) {
    case SURFACE_GROUND:
        return SLOT_GROUND;
    case SURFACE_ICE:
        return SLOT_ICE;
    case SURFACE_SPIKES:
        return SLOT_SPIKES;
    default:
        return SLOT_HEAD;
    }
}

void draw_overview_map(const LevelData& level, const RenderResources& gfx, Point m,
                       SphereTilt tilt) {
    glPushMatrix();
    glTranslatef(0.5f, 0.34f, -1);
    glScalef(0.001f, 0.001f, 0.001f);
    glTranslatef(-m.x, -m.y, 0);
    draw_sphere_at(gfx, m.x, m.y, PLANE_Z, 90, 0, SLOT_STARS, tilt);
    draw_sphere_at(gfx, m.x, m.y, PLANE_Z, 5, 0, SLOT_GLIMBO, tilt);
    const auto& ground = level.ground;
    const auto& base = level.base;
    const size_t segments = segment_count(level);
    for (size_t k = 0; k < segments; ++k) {
        const float dx = ground[k].x - m.x, dy = ground[k].y - m.y;
        if (dx * dx + dy * dy >= 6400)
            continue;
        bind_slot(gfx, map_slot(ground[k].type));
        glBegin(GL_QUADS);
        glNormal3f(0, 0, 1);
        glTexCoord2f(0, 1);
        glVertex3f(ground[k].x, ground[k].y, PLANE_Z);
        glTexCoord2f(0, 0);
        glVertex3f(base[k].x, base[k].y, PLANE_Z);
        glTexCoord2f(1, 0);
        glVertex3f(base[k + 1].x, base[k + 1].y, PLANE_Z);
        glTexCoord2f(1, 1);
        glVertex3f(ground[k + 1].x, ground[k + 1].y, PLANE_Z);
        glEnd();
    }
    glPopMatrix();
    glEnable(GL_LIGHTING);
}

void draw_spike_pit(float camera_x, const RenderResources& gfx) {
    const float cx = camera_x;
    glColor3ub(255, 255, 255);
    bind_slot(gfx, SLOT_SPIKES);
    glBegin(GL_QUADS);
    glNormal3f(0, 0, 1);
    glTexCoord2f(0, 20);
    glVertex3f(cx - 200, -300, 0);
    glTexCoord2f(0, 0);
    glVertex3f(cx - 200, -700, 0);
    glTexCoord2f(20, 0);
    glVertex3f(cx + 200, -700, 0);
    glTexCoord2f(20, 20);
    glVertex3f(cx + 200, -300, 0);

    glTexCoord2f(0, 4);
    glVertex3f(cx - 200, -300, -90);
    glTexCoord2f(0, 0);
    glVertex3f(cx - 200, -300, 0);
    glTexCoord2f(20, 0);
    glVertex3f(cx + 200, -300, 0);
    glTexCoord2f(20, 4);
    glVertex3f(cx + 200, -300, -90);
    glEnd();
}

void draw_backdrop_quad(float cx, float cy) {
    glBegin(GL_QUADS);
    glNormal3f(0, 0, 1);
    glTexCoord2f(0, 8);
    glVertex3f(cx - 300, cy + 300, -90);
    glTexCoord2f(0, 0);
    glVertex3f(cx - 300, cy - 300, -90);
    glTexCoord2f(8, 0);
    glVertex3f(cx + 300, cy - 300, -90);
    glTexCoord2f(8, 8);
    glVertex3f(cx + 300, cy + 300, -90);
    glEnd();
}

void draw_blobs(const LevelData& level, const RenderResources& gfx) {
    bind_slot(gfx, SLOT_BODY);
    for (const Blob& b : level.blobs) {
        if (b.present == 1)
            draw_blob_with_bound_texture(gfx, b.x, b.y, -29.7f, 1);
    }
}

void draw_flock(const std::array<Sheep, FLOCK_SIZE>& flock, const RenderResources& gfx) {
    bind_slot(gfx, SLOT_MINISHEEP);
    for (const Sheep& s : flock)
        draw_blob_with_bound_texture(gfx, s.x, s.y, PLANE_Z, s.radius);
}

void plane_line(float x0, float y0, float x1, float y1) {
    glVertex3f(x0, y0, PLANE_Z);
    glVertex3f(x1, y1, PLANE_Z);
}
