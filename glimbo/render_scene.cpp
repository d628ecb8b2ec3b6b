#include "glimbo/render_scene.h"

#include "glimbo/game.h"
#include "draw/gl_square.h"
#include "draw/render_helpers.h"
#include "draw/render_parts.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <cstring>

const char* const CREDIT_LINE = "roll, swing and collect - one mouse per player";

namespace {

void draw_balls(GameState& gs, const RenderResources& gfx) {
    const int n = drawn_player_count(gs);
    for (int i = 0; i < n; ++i) {
        Player& p = gs.players[size_t(i)];
        p.roll_angle -= (p.x - p.prev_x) * 14;
        glColor3ub(255, 255, 255);
        draw_sphere_at(gfx, p.x, p.y, PLANE_Z, p.radius * 0.8f, -p.roll_angle, SLOT_MINISHEEP);
        if (i != 0)
            glColor3ub(255, 0, 0);
        draw_sphere_at(gfx, p.x, p.y, PLANE_Z, p.radius, p.roll_angle, SLOT_GLIMBO);
    }
}

// Binds the texture of segment k and tells whether it gets the overlay pass.
bool bind_segment_texture(const GameState& gs, const RenderResources& gfx, size_t k) {
    const auto& ground = gs.level.ground;
    const SegmentLook look = segment_look(ground[k].type, ground[k + 1].type);
    bind_slot(gfx, look.slot);
    return look.overlay;
}

struct Segment {
    const GroundPoint& g0;
    const GroundPoint& g1;
    const BasePoint& b0;
    const BasePoint& b1;
    float nx = 0, ny = 0; // face normal of the ground line
};

Segment segment(const LevelData& level, size_t k) {
    Segment s{level.ground[k], level.ground[k + 1], level.base[k], level.base[k + 1]};
    const float dx = s.g0.x - s.g1.x, dy = s.g0.y - s.g1.y;
    const float length = std::sqrt(dx * dx + dy * dy);
    // Two ground points on the same spot make a segment without direction; its faces get
    // no sideways normal rather than a division by zero.
    if (length > 0) {
        s.nx = dy / length;
        s.ny = -dx / length;
    }
    return s;
}

// ---- the band sent vertex by vertex (the immediate path) ------------------------------

void front_face(const Segment& s, float t0, float t1) {
    glBegin(GL_QUADS);
    glNormal3f(0, 0, 1);
    glTexCoord2f(0, t0);
    glVertex3f(s.b0.x, s.b0.y, -15);
    glTexCoord2f(1, t0);
    glVertex3f(s.b1.x, s.b1.y, -15);
    glNormal3f(0.1f * s.nx, 0.1f * s.ny, 0.2f);
    glTexCoord2f(1, t1);
    glVertex3f(s.g1.x, s.g1.y, -24);
    glTexCoord2f(0, t1);
    glVertex3f(s.g0.x, s.g0.y, -24);
    glEnd();
}

void top_face(const Segment& s, float t0, float t1) {
    glBegin(GL_QUADS);
    glNormal3f(0, 0, 1);
    glTexCoord2f(0, t0);
    glVertex3f(s.g0.x, s.g0.y, -45);
    glTexCoord2f(0, t1);
    glVertex3f(s.g0.x, s.g0.y, -24);
    glTexCoord2f(1, t1);
    glVertex3f(s.g1.x, s.g1.y, -24);
    glTexCoord2f(1, t0);
    glVertex3f(s.g1.x, s.g1.y, -45);
    glEnd();
}

void lower_face(const Segment& s) {
    glBegin(GL_QUADS);
    glNormal3f(s.nx, s.ny, 0);
    glTexCoord2f(0, 0);
    glVertex3f(s.g0.x, s.g0.y, -45);
    glTexCoord2f(0, 1);
    glVertex3f(s.b0.x, s.b0.y, -15);
    glTexCoord2f(1, 1);
    glVertex3f(s.b1.x, s.b1.y, -15);
    glTexCoord2f(1, 0);
    glVertex3f(s.g1.x, s.g1.y, -45);
    glEnd();
}

void draw_ground_band_immediate(const GameState& gs, const RenderResources& gfx, float scroll) {
    const size_t count = segment_count(gs.level);
    for (size_t k = 0; k < count; ++k) {
        const bool overlay = bind_segment_texture(gs, gfx, k);
        const Segment s = segment(gs.level, k);
        front_face(s, 0, 1);
        if (overlay) {
            glColor4f(1, 1, 1, 0.5f);
            front_face(s, scroll, scroll + 1);
            glColor4f(1, 1, 1, 1);
        }
    }
    for (size_t k = 0; k < count; ++k) {
        const bool overlay = bind_segment_texture(gs, gfx, k);
        const Segment s = segment(gs.level, k);
        top_face(s, 0, 1);
        if (overlay) {
            glColor4f(1, 1, 1, 0.5f);
            top_face(s, -scroll, 1 - scroll);
            glColor4f(1, 1, 1, 1);
        }
    }
    if (gs.soft_collisions)
        return;
    for (size_t k = 0; k < count; ++k) {
        bind_segment_texture(gs, gfx, k);
        lower_face(segment(gs.level, k));
    }
}

// ---- the band from kept arrays ------------------------------------------------------------

// The faces above as quads of the arrays: the same corners, normals and texture
// coordinates; the overlay's scrolling t is filled in each frame.
void front_quad(const Segment& s, float alpha, BandVertex (&q)[4]) {
    const float nx = 0.1f * s.nx, ny = 0.1f * s.ny;
    q[0] = {0, 0, 1, 1, 1, alpha, 0, 0, 1, s.b0.x, s.b0.y, -15};
    q[1] = {1, 0, 1, 1, 1, alpha, 0, 0, 1, s.b1.x, s.b1.y, -15};
    q[2] = {1, 1, 1, 1, 1, alpha, nx, ny, 0.2f, s.g1.x, s.g1.y, -24};
    q[3] = {0, 1, 1, 1, 1, alpha, nx, ny, 0.2f, s.g0.x, s.g0.y, -24};
}

void top_quad(const Segment& s, float alpha, BandVertex (&q)[4]) {
    q[0] = {0, 0, 1, 1, 1, alpha, 0, 0, 1, s.g0.x, s.g0.y, -45};
    q[1] = {0, 1, 1, 1, 1, alpha, 0, 0, 1, s.g0.x, s.g0.y, -24};
    q[2] = {1, 1, 1, 1, 1, alpha, 0, 0, 1, s.g1.x, s.g1.y, -24};
    q[3] = {1, 0, 1, 1, 1, alpha, 0, 0, 1, s.g1.x, s.g1.y, -45};
}

void lower_quad(const Segment& s, BandVertex (&q)[4]) {
    q[0] = {0, 0, 1, 1, 1, 1, s.nx, s.ny, 0, s.g0.x, s.g0.y, -45};
    q[1] = {0, 1, 1, 1, 1, 1, s.nx, s.ny, 0, s.b0.x, s.b0.y, -15};
    q[2] = {1, 1, 1, 1, 1, 1, s.nx, s.ny, 0, s.b1.x, s.b1.y, -15};
    q[3] = {1, 0, 1, 1, 1, 1, s.nx, s.ny, 0, s.g1.x, s.g1.y, -45};
}

enum BandPassIndex : size_t { FRONT_PASS, TOP_PASS, LOWER_PASS };

// Front faces (each followed by its overlay), top faces (likewise), lower faces.
void make_band(BandArrays& band, const LevelData& level) {
    start_band(band, level);
    const size_t count = segment_count(level);
    BandVertex q[4];
    for (size_t pass : {FRONT_PASS, TOP_PASS, LOWER_PASS}) {
        start_pass(band);
        for (size_t k = 0; k < count; ++k) {
            const SegmentLook look = segment_look(level.ground[k].type, level.ground[k + 1].type);
            const Segment s = segment(level, k);
            if (pass == LOWER_PASS) {
                lower_quad(s, q);
                add_quad(band, look.slot, q);
                continue;
            }
            pass == FRONT_PASS ? front_quad(s, 1, q) : top_quad(s, 1, q);
            add_quad(band, look.slot, q);
            if (!look.overlay)
                continue;
            pass == FRONT_PASS ? front_quad(s, 0.5f, q) : top_quad(s, 0.5f, q);
            add_quad(band, look.slot, q);
            const int32_t first = int32_t(band.vertices.size()) - 4;
            for (int32_t v = first; v < first + 4; ++v)
                add_scrolled(band, v, pass == TOP_PASS, band.vertices[size_t(v)].t == 1);
        }
    }
}

void draw_ground_band(const GameState& gs, const RenderResources& gfx, RenderState& rs) {
    if (gfx.immediate_mode) {
        draw_ground_band_immediate(gs, gfx, rs.scroll_offset);
        return;
    }
    if (!band_is_current(rs.band, gs.level))
        make_band(rs.band, gs.level);
    scroll_band(rs.band, rs.scroll_offset);
    draw_band_pass(rs.band, FRONT_PASS, gfx, true);
    draw_band_pass(rs.band, TOP_PASS, gfx, true);
    if (!gs.soft_collisions)
        draw_band_pass(rs.band, LOWER_PASS, gfx, true);
    glColor4f(1, 1, 1, 1);
}

constexpr RigidRopeColours RIGID_ROPES = {Rgb8{110, 80, 55}, Rgb8{150, 105, 70}};

// A short green line from the ball towards its nearest blob.
void draw_nearest_blob_line(const GameState& gs, const Player& p) {
    glColor3ub(255, 255, 255);
    glEnable(GL_LIGHTING);
    glColor3ub(0, 255, 0);
    // The nearest-blob index is only meaningful while the level has that blob.
    const int32_t nb = p.nearest_blob;
    if (nb >= 0 && nb < int32_t(gs.level.blobs.size())) {
        const Blob& b = gs.level.blobs[size_t(nb)];
        glBegin(GL_LINES);
        plane_line(p.x, p.y, p.x - (p.x - b.x) * 0.03f, p.y - (p.y - b.y) * 0.03f);
        glEnd();
    }
}

void draw_play_scene(GameState& gs, const RenderResources& gfx, RenderState& rs, Point m) {
    glScalef(0.5f, 0.5f, 0.5f);
    gluLookAt(gs.camera_x, gs.camera_y + 4, gs.camera_distance, m.x, m.y, PLANE_Z, 0, 1, 0);
    const GLfloat light_position[] = {gs.light_x, gs.light_y, -21, 1};
    glLightfv(GL_LIGHT1, GL_POSITION, light_position);

    draw_balls(gs, gfx);
    draw_spike_pit(gs.camera_x, gfx);

    glEnable(GL_LIGHTING);
    if (gs.soft_collisions)
        glBlendFunc(GL_ONE, GL_ONE);
    rs.scroll_offset += 0.01f;
    draw_ground_band(gs, gfx, rs);
    draw_blobs(gs.level, gfx);
    if (gs.trail_enabled)
        draw_trail(gs, gfx);
    if (gs.flock_enabled)
        draw_flock(gs.flock, gfx);
    draw_ropes_and_guides(gs, gfx, RIGID_ROPES,
                          [&](const Player& p) { draw_nearest_blob_line(gs, p); });

    draw_rotated_quad(gfx, gs.light_x, gs.light_y, PLANE_Z, 0.3f, 0.3f, SLOT_HANDLE, 0);
    if (gs.background_enabled) {
        bind_slot(gfx, SLOT_STARS);
        glDisable(GL_LIGHTING);
        glColor4f(1, 1, 1, 0.25f);
        draw_backdrop_quad(gs.camera_x, gs.camera_y);
        glColor4f(1, 1, 1, 1);
        glEnable(GL_LIGHTING);
    }
}

void draw_menu_scene(const GameState& gs, const RenderResources& gfx) {
    glTranslatef(0, 0, -10);
    glDisable(GL_LIGHTING);
    const float px = gs.players.empty() ? 0 : gs.players[0].pointer_dx;
    const float py = gs.players.empty() ? 0 : gs.players[0].pointer_dy;

    for (int k = 0; k < MENU_ITEM_COUNT; ++k) {
        const MenuItem& item = gs.menu_items[size_t(k)];
        glColor3ub(255, 255, 255);
        if (point_in_menu_item(gs, k, px, py)) {
            draw_quad_at(gfx, item.x + 0.1f, item.y + 0.1f, PLANE_Z, item.half_width,
                         item.half_height, item.texture_slot);
        } else {
            glColor4f(0.8f, 0.8f, 0.85f, 0.1f);
            draw_quad_at(gfx, item.x, item.y, PLANE_Z, item.half_width, item.half_height,
                         item.texture_slot);
        }
    }

    glDisable(GL_TEXTURE_2D);
    for (int k = 0; k < MENU_ITEM_COUNT; ++k) {
        const MenuItem& item = gs.menu_items[size_t(k)];
        if (point_in_menu_item(gs, k, px, py))
            glColor3ub(0, 0, 128);
        else
            glColor3ub(0, 0, 255);
        glRasterPos2f((item.x - item.half_width) * 0.25f + 0.7f, item.y * 0.25f - 0.1f);
        // The label field holds at most 19 characters and its terminator.
        char label[sizeof item.label + 1] = {};
        std::memcpy(label, item.label, sizeof item.label);
        print_text(gfx, "%s", label);
    }

    glColor3ub(255, 255, 255);
    glRasterPos2f(-1, -0.8f);
    print_text(gfx, "youre on level %i", gs.level_index + 1);
    if (gs.binding_mode) {
        glRasterPos2f(-1, 0.7f);
        print_text(gfx, "player %i press button %i", gs.binding_player + 1, gs.binding_step + 2);
    }
    glRasterPos2f(-5, -3.4f);
    print_text(gfx, "glimbo v0.5(?) alpha");
    glRasterPos2f(-5, -3.7f);
    print_text(gfx, "%s", CREDIT_LINE);

    glEnable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    bind_slot(gfx, SLOT_STARS);
    glColor4f(1, 1, 1, 0.25f);
    draw_backdrop_quad(0, 0);
    glColor4f(1, 1, 1, 1);
    glEnable(GL_LIGHTING);
}

void draw_pointers(const GameState& gs, const RenderResources& gfx) {
    const int n = drawn_player_count(gs);
    bind_slot(gfx, SLOT_POINTER);
    if (gs.playing) {
        glDisable(GL_DEPTH_TEST);
        for (int i = 0; i < n; ++i) {
            const Player& p = gs.players[size_t(i)];
            draw_quad_at(p.pointer_x, p.pointer_y, PLANE_Z, 2, 2, QuadNormal::facing_viewer);
        }
        glEnable(GL_DEPTH_TEST);
    } else {
        for (int i = 0; i < n; ++i) {
            const Player& p = gs.players[size_t(i)];
            draw_quad_at(p.pointer_dx, p.pointer_dy, PLANE_Z, 2, 2, QuadNormal::facing_viewer);
        }
    }
}

} // namespace

void set_scene_gl_state(const GameState& gs) {
    set_scene_gl_state(gs.light_x, gs.light_y);
}

void program_draw(GameState& gs, const RenderResources& gfx, RenderState& rs) {
    glClear(GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    const Point m = players_mean(gs);
    draw_hud(gs, gfx);
    draw_overview_map(gs.level, gfx, m, SphereTilt::diagonal);
    if (gs.playing)
        draw_play_scene(gs, gfx, rs, m);
    else
        draw_menu_scene(gs, gfx);
    set_next_pointer_colour(rs);
    draw_pointers(gs, gfx);
    glColor3ub(255, 255, 255);
    glFlush();
}
