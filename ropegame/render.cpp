#include "ropegame/render.h"

#include "draw/gl_square.h"
#include "draw/render_helpers.h"
#include "draw/render_parts.h"
#include "draw/scene_setup.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>

namespace ropegame {
namespace {

constexpr float SCENE_SCALE = 0.09f;
constexpr RigidRopeColours RIGID_ROPES = {Rgb8{128, 96, 64}, Rgb8{128, 96, 64}};

// Ten times the unit normal of segment k's ground line; a segment without length has none.
struct SideNormal {
    float x = 0, y = 0;
};

SideNormal side_normal(const GroundPoint& g0, const GroundPoint& g1) {
    const float dx = g0.x - g1.x, dy = g0.y - g1.y;
    const float length = std::sqrt(dx * dx + dy * dy);
    return {length > 0 ? dy / (0.1f * length) : 0, length > 0 ? -dx / (0.1f * length) : 0};
}

// The ground band vertex by vertex (the immediate path): three faces per segment, textured
// by the surface of its first point.
void draw_ground_band_immediate(const LevelData& level, const RenderResources& gfx) {
    const auto& g = level.ground;
    const auto& b = level.base;
    const size_t count = segment_count(level);
    for (size_t k = 0; k < count; ++k) {
        bind_slot(gfx, map_slot(g[k].type));
        glBegin(GL_QUADS);
        glNormal3f(0, 0, 1);
        glTexCoord2f(0, 1);
        glVertex3f(g[k].x, g[k].y, -24);
        glTexCoord2f(0, 0);
        glVertex3f(b[k].x, b[k].y, -15);
        glTexCoord2f(1, 0);
        glVertex3f(b[k + 1].x, b[k + 1].y, -15);
        glTexCoord2f(1, 1);
        glVertex3f(g[k + 1].x, g[k + 1].y, -24);
        glEnd();

        const SideNormal n = side_normal(g[k], g[k + 1]);
        glBegin(GL_QUADS);
        glNormal3f(n.x, n.y, 0);
        glTexCoord2f(0, 0);
        glVertex3f(g[k].x, g[k].y, -45);
        glTexCoord2f(0, 1);
        glVertex3f(g[k].x, g[k].y, -24);
        glTexCoord2f(1, 1);
        glVertex3f(g[k + 1].x, g[k + 1].y, -24);
        glTexCoord2f(1, 0);
        glVertex3f(g[k + 1].x, g[k + 1].y, -45);

        glTexCoord2f(0, 0);
        glVertex3f(g[k].x, g[k].y, -45);
        glTexCoord2f(0, 1);
        glVertex3f(b[k].x, b[k].y, -15);
        glTexCoord2f(1, 1);
        glVertex3f(b[k + 1].x, b[k + 1].y, -15);
        glTexCoord2f(1, 0);
        glVertex3f(g[k + 1].x, g[k + 1].y, -45);
        glEnd();
    }
}

// The same three faces per segment as quads of the arrays, in one pass.
void make_band(BandArrays& band, const LevelData& level) {
    start_band(band, level);
    start_pass(band);
    const auto& g = level.ground;
    const auto& b = level.base;
    const size_t count = segment_count(level);
    for (size_t k = 0; k < count; ++k) {
        const int slot = map_slot(g[k].type);
        const BandVertex front[4] = {{0, 1, 1, 1, 1, 1, 0, 0, 1, g[k].x, g[k].y, -24},
                                     {0, 0, 1, 1, 1, 1, 0, 0, 1, b[k].x, b[k].y, -15},
                                     {1, 0, 1, 1, 1, 1, 0, 0, 1, b[k + 1].x, b[k + 1].y, -15},
                                     {1, 1, 1, 1, 1, 1, 0, 0, 1, g[k + 1].x, g[k + 1].y, -24}};
        add_quad(band, slot, front);
        const SideNormal n = side_normal(g[k], g[k + 1]);
        const BandVertex top[4] = {{0, 0, 1, 1, 1, 1, n.x, n.y, 0, g[k].x, g[k].y, -45},
                                   {0, 1, 1, 1, 1, 1, n.x, n.y, 0, g[k].x, g[k].y, -24},
                                   {1, 1, 1, 1, 1, 1, n.x, n.y, 0, g[k + 1].x, g[k + 1].y, -24},
                                   {1, 0, 1, 1, 1, 1, n.x, n.y, 0, g[k + 1].x, g[k + 1].y, -45}};
        add_quad(band, slot, top);
        const BandVertex lower[4] = {{0, 0, 1, 1, 1, 1, n.x, n.y, 0, g[k].x, g[k].y, -45},
                                     {0, 1, 1, 1, 1, 1, n.x, n.y, 0, b[k].x, b[k].y, -15},
                                     {1, 1, 1, 1, 1, 1, n.x, n.y, 0, b[k + 1].x, b[k + 1].y, -15},
                                     {1, 0, 1, 1, 1, 1, n.x, n.y, 0, g[k + 1].x, g[k + 1].y, -45}};
        add_quad(band, slot, lower);
    }
}

// The balls push ground points about, so the arrays are checked against the level on
// every frame and made again when a point has moved.
void draw_ground_band(const LevelData& level, const RenderResources& gfx, RenderState& rs) {
    if (gfx.immediate_mode) {
        draw_ground_band_immediate(level, gfx);
        return;
    }
    if (!band_is_current(rs.band, level))
        make_band(rs.band, level);
    draw_band_pass(rs.band, 0, gfx, false);
}

// One shell per ball, turned as it rolls; no sheep inside and no tint.
void draw_balls(World& w, const RenderResources& gfx) {
    const int n = drawn_player_count(w);
    for (int i = 0; i < n; ++i) {
        Player& p = w.players[size_t(i)];
        p.roll_angle -= (p.x - p.prev_x) * 14;
        draw_sphere_at(gfx, p.x, p.y, PLANE_Z, p.radius, p.roll_angle, SLOT_GLIMBO,
                       SphereTilt::about_x);
    }
}

void draw_play_scene(World& w, const RenderResources& gfx, RenderState& rs, Point m) {
    glScalef(SCENE_SCALE, SCENE_SCALE, SCENE_SCALE);
    Point target = m;
    if (w.camera_midpoint_mode)
        target = {(m.x + w.camera_x) / 2, (m.y + w.camera_y) / 2};
    gluLookAt(w.camera_x, w.camera_y + 4, w.camera_distance, target.x, target.y, PLANE_Z, 0, 1, 0);
    const GLfloat light_position[] = {w.light_x, w.light_y, -21, 1};
    glLightfv(GL_LIGHT1, GL_POSITION, light_position);

    bind_slot(gfx, SLOT_STARS);
    glDisable(GL_LIGHTING);
    draw_backdrop_quad(w.camera_x, w.camera_y);
    draw_spike_pit(w.camera_x, gfx);
    glEnable(GL_LIGHTING);

    draw_ground_band(w.level, gfx, rs);
    draw_blobs(w.level, gfx);
    if (w.trail_enabled)
        draw_trail(w, gfx);
    if (w.flock_enabled)
        draw_flock(w.flock, gfx);
    draw_ropes_and_guides(w, gfx, RIGID_ROPES, [](const Player&) {});
    draw_balls(w, gfx);
    draw_rotated_quad(gfx, w.light_x, w.light_y, PLANE_Z, 0.3f, 0.3f, SLOT_HANDLE, 0);
}

void draw_title_scene(const World& w, const RenderResources& gfx) {
    glTranslatef(0, 0, -10);
    glDisable(GL_LIGHTING);
    const PlayButton& b = w.play_button;
    draw_quad_at(gfx, b.x, b.y, PLANE_Z, b.half_width, b.half_height, b.texture_slot);

    glDisable(GL_TEXTURE_2D);
    glRasterPos2f(0.7f - b.half_width * 0.25f, -0.1f);
    print_text(gfx, "click to play");
    glRasterPos2f(-1, -0.8f);
    print_text(gfx, "youre on level %i", w.level_index + 1);
    glEnable(GL_TEXTURE_2D);

    bind_slot(gfx, SLOT_STARS);
    glDisable(GL_LIGHTING);
    draw_backdrop_quad(0, 0);
    glEnable(GL_LIGHTING);
}

void draw_pointers(const World& w, const RenderResources& gfx) {
    glDisable(GL_DEPTH_TEST);
    const int n = std::min(drawn_player_count(w), int(w.pointer_inputs.size()));
    bind_slot(gfx, SLOT_POINTER);
    for (int i = 0; i < n; ++i) {
        const PointerInput& in = w.pointer_inputs[size_t(i)];
        draw_quad_at(in.pointer_x, in.pointer_y, PLANE_Z, 2, 2, QuadNormal::facing_viewer);
    }
    glEnable(GL_DEPTH_TEST);
}

} // namespace

void set_gl_state(const World& w) {
    set_scene_gl_state(w.light_x, w.light_y);
    glAlphaFunc(GL_GREATER, 0.1f);
    const GLfloat dim[] = {0.1f, 0.1f, 0.1f, 1};
    glLightfv(GL_LIGHT1, GL_DIFFUSE, dim);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 10);
}

void program_draw(World& w, const RenderResources& gfx, RenderState& rs) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    const Point m = players_mean(w);
    draw_hud(w, gfx);
    draw_overview_map(w.level, gfx, m, SphereTilt::about_x);
    if (w.playing)
        draw_play_scene(w, gfx, rs, m);
    else
        draw_title_scene(w, gfx);
    set_next_pointer_colour(rs);
    draw_pointers(w, gfx);
    glColor3ub(255, 255, 255);
    glFlush();
}

} // namespace ropegame
