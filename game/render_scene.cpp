#include "game/render_scene.h"

#include "game/game.h"
#include "game/render_helpers.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>

const char* const CREDIT_LINE = "roll, swing and collect - one mouse per player";

namespace {

constexpr float PLANE_Z = -30;

// Formats like printf (texts longer than the font's 255 characters are cut) and prints at
// the current raster position.
__attribute__((format(printf, 2, 3))) void print_text(const RenderResources& gfx,
                                                      const char* format, ...) {
    if (!gfx.print)
        return;
    char text[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    gfx.print(text);
}

struct Point {
    float x = 0, y = 0;
};

// Simulated players that have a record.
int drawn_player_count(const GameState& gs) {
    int n = gs.player_count;
    if (n > int(gs.players.size()))
        n = int(gs.players.size());
    return n < 0 ? 0 : n;
}

Point players_mean(const GameState& gs) {
    const int n = drawn_player_count(gs);
    // With no player at all the map and the camera look at the origin.
    if (n == 0)
        return {};
    Point m;
    for (int i = 0; i < n; ++i) {
        m.x += gs.players[size_t(i)].x;
        m.y += gs.players[size_t(i)].y;
    }
    m.x /= float(n);
    m.y /= float(n);
    return m;
}

void draw_hud(const GameState& gs, const RenderResources& gfx) {
    glPushMatrix();
    glScalef(0.1f, 0.1f, 0.1f);
    glTranslatef(0, 0, -10);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glRasterPos2f(-5.2f, 3.7f);
    print_text(gfx, "fps = %f", double(gs.frame_rate));
    glRasterPos2f(-5.2f, 3.4f);
    print_text(gfx, "blobs left = %i", gs.blobs_left);
    glRasterPos2f(-5.2f, 3.1f);
    print_text(gfx, "time taken %i", int(gs.time_taken * 0.001f));
    glEnable(GL_TEXTURE_2D);
    glPopMatrix();
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

void draw_overview_map(const GameState& gs, const RenderResources& gfx, Point m) {
    glPushMatrix();
    glTranslatef(0.5f, 0.34f, -1);
    glScalef(0.001f, 0.001f, 0.001f);
    glTranslatef(-m.x, -m.y, 0);
    draw_sphere_at(gfx, m.x, m.y, PLANE_Z, 90, 0, SLOT_STARS);
    draw_sphere_at(gfx, m.x, m.y, PLANE_Z, 5, 0, SLOT_GLIMBO);
    const auto& ground = gs.level.ground;
    const auto& base = gs.level.base;
    // The base line is as long as the ground line in every loaded level; the smaller of
    // the two bounds the segments so that a mismatch can never read past either.
    const size_t n = std::min(ground.size(), base.size());
    for (size_t k = 0; k + 1 < n; ++k) {
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

void draw_spike_pit(const GameState& gs, const RenderResources& gfx) {
    const float cx = gs.camera_x;
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

Segment segment(const GameState& gs, size_t k) {
    const auto& ground = gs.level.ground;
    const auto& base = gs.level.base;
    Segment s{ground[k], ground[k + 1], base[k], base[k + 1]};
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

// Segments that have both ends in the ground and in the base line.
size_t segment_count(const GameState& gs) {
    const size_t n = std::min(gs.level.ground.size(), gs.level.base.size());
    return n < 2 ? 0 : n - 1;
}

void draw_ground_band(const GameState& gs, const RenderResources& gfx, float scroll) {
    const size_t count = segment_count(gs);
    for (size_t k = 0; k < count; ++k) {
        const bool overlay = bind_segment_texture(gs, gfx, k);
        const Segment s = segment(gs, k);
        front_face(s, 0, 1);
        if (overlay) {
            glColor4f(1, 1, 1, 0.5f);
            front_face(s, scroll, scroll + 1);
            glColor4f(1, 1, 1, 1);
        }
    }
    for (size_t k = 0; k < count; ++k) {
        const bool overlay = bind_segment_texture(gs, gfx, k);
        const Segment s = segment(gs, k);
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
        lower_face(segment(gs, k));
    }
}

void draw_blobs(const GameState& gs, const RenderResources& gfx) {
    for (const Blob& b : gs.level.blobs) {
        if (b.present == 1)
            draw_blob_at(gfx, b.x, b.y, -29.7f, 1, SLOT_BODY);
    }
}

void draw_trail(GameState& gs, const RenderResources& gfx) {
    if (gs.players.empty())
        return;
    gs.trail_head = (gs.trail_head + 1) % TRAIL_LENGTH;
    // A quick load or a bad value elsewhere must not index outside the ring.
    if (gs.trail_head < 0)
        gs.trail_head = 0;
    TrailPuff& newest = gs.trail[size_t(gs.trail_head)];
    newest.x = gs.players[0].x;
    newest.y = gs.players[0].y;
    newest.alive = 1;
    newest.life = 100;
    for (TrailPuff& puff : gs.trail) {
        if (!puff.alive)
            continue;
        draw_blob_at(gfx, puff.x, puff.y, PLANE_Z, 1, SLOT_GDUST);
        if (puff.life == 1)
            puff.alive = 0;
        --puff.life;
    }
}

void draw_flock(const GameState& gs, const RenderResources& gfx) {
    for (const Sheep& s : gs.flock)
        draw_blob_at(gfx, s.x, s.y, PLANE_Z, s.radius, SLOT_MINISHEEP);
}

// The point a rope pulls on; references to a sheep or player that does not exist fall
// back to the rope's own anchor.
Point anchored_point(const GameState& gs, const Rope& rope) {
    const int32_t i = rope.anchor.index;
    switch (rope.anchor.kind) {
    case AnchorKind::sheep:
        if (i >= 0 && i < FLOCK_SIZE)
            return {gs.flock[size_t(i)].x, gs.flock[size_t(i)].y};
        break;
    case AnchorKind::player:
        if (i >= 0 && i < int(gs.players.size()))
            return {gs.players[size_t(i)].x, gs.players[size_t(i)].y};
        break;
    case AnchorKind::own:
        break;
    }
    return {rope.anchor_x, rope.anchor_y};
}

void line(float x0, float y0, float x1, float y1) {
    glVertex3f(x0, y0, PLANE_Z);
    glVertex3f(x1, y1, PLANE_Z);
}

void draw_rope(const GameState& gs, const RenderResources& gfx, const Player& p, int slot) {
    const Rope& rope = p.ropes[size_t(slot)];
    if (!rope.attached)
        return;
    const Point a = anchored_point(gs, rope);
    glBegin(GL_LINES);
    if (rope.rigid) {
        if (slot == 0)
            glColor3ub(110, 80, 55);
        else
            glColor3ub(150, 105, 70);
        line(a.x, a.y, p.x, p.y);
    } else {
        const GLubyte grey = slot == 0 ? 64 : 192;
        glColor3ub(grey, grey, grey);
        line(a.x, a.y, rope.nodes[0].x, rope.nodes[0].y);
        for (int k = 0; k + 1 < ROPE_NODE_COUNT; ++k)
            line(rope.nodes[size_t(k)].x, rope.nodes[size_t(k)].y, rope.nodes[size_t(k) + 1].x,
                 rope.nodes[size_t(k) + 1].y);
        const RopeNode& last = rope.nodes[ROPE_NODE_COUNT - 1];
        line(last.x, last.y, p.x, p.y);
    }
    glEnd();
    glColor3ub(255, 255, 255);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_LIGHTING);
    draw_blob_at(gfx, a.x, a.y, PLANE_Z, float(int(rope.node_weight)) * 0.7f, SLOT_MINIBALL);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
}

void draw_ropes_and_guides(const GameState& gs, const RenderResources& gfx) {
    const int n = drawn_player_count(gs);
    for (int i = 0; i < n; ++i) {
        const Player& p = gs.players[size_t(i)];
        glDisable(GL_LIGHTING);
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_DEPTH_TEST);
        glLineWidth(3);
        draw_rope(gs, gfx, p, 0);
        draw_rope(gs, gfx, p, 1);

        glBlendFunc(GL_ONE, GL_ONE);
        glLineWidth(2);
        glColor3ub(128, 0, 0);
        glBegin(GL_LINES);
        line(p.aim_x, p.aim_y, p.x, p.y);
        glEnd();

        glColor3ub(255, 255, 255);
        glEnable(GL_LIGHTING);
        glColor3ub(0, 255, 0);
        // The nearest-blob index is only meaningful while the level has that blob.
        const int32_t nb = p.nearest_blob;
        if (nb >= 0 && nb < int32_t(gs.level.blobs.size())) {
            const Blob& b = gs.level.blobs[size_t(nb)];
            glBegin(GL_LINES);
            line(p.x, p.y, p.x - (p.x - b.x) * 0.03f, p.y - (p.y - b.y) * 0.03f);
            glEnd();
        }
        glEnable(GL_DEPTH_TEST);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glEnable(GL_TEXTURE_2D);
    }
    // Without players the soft mode's additive blending must still end here.
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
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

void draw_play_scene(GameState& gs, const RenderResources& gfx, RenderState& rs, Point m) {
    glScalef(0.5f, 0.5f, 0.5f);
    gluLookAt(gs.camera_x, gs.camera_y + 4, gs.camera_distance, m.x, m.y, PLANE_Z, 0, 1, 0);
    const GLfloat light_position[] = {gs.light_x, gs.light_y, -21, 1};
    glLightfv(GL_LIGHT1, GL_POSITION, light_position);

    draw_balls(gs, gfx);
    draw_spike_pit(gs, gfx);

    glEnable(GL_LIGHTING);
    if (gs.soft_collisions)
        glBlendFunc(GL_ONE, GL_ONE);
    rs.scroll_offset += 0.01f;
    draw_ground_band(gs, gfx, rs.scroll_offset);
    draw_blobs(gs, gfx);
    if (gs.trail_enabled)
        draw_trail(gs, gfx);
    if (gs.flock_enabled)
        draw_flock(gs, gfx);
    draw_ropes_and_guides(gs, gfx);

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
    if (gs.playing) {
        glDisable(GL_DEPTH_TEST);
        for (int i = 0; i < n; ++i) {
            const Player& p = gs.players[size_t(i)];
            draw_quad_at(gfx, p.pointer_x, p.pointer_y, PLANE_Z, 2, 2, SLOT_POINTER);
        }
        glEnable(GL_DEPTH_TEST);
    } else {
        for (int i = 0; i < n; ++i) {
            const Player& p = gs.players[size_t(i)];
            draw_quad_at(gfx, p.pointer_dx, p.pointer_dy, PLANE_Z, 2, 2, SLOT_POINTER);
        }
    }
}

} // namespace

void set_scene_gl_state(const GameState& gs) {
    glClearColor(0, 0, 0, 0.5f);
    glClearDepth(1.0);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glClearDepth(1.0);
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_DEPTH_TEST);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_BLEND);
    glAlphaFunc(GL_GREATER, 0.05f);
    glEnable(GL_ALPHA_TEST);
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_CULL_FACE);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_TRUE);
    const GLfloat ambient[] = {0.1f, 0.1f, 0.1f, 1};
    const GLfloat diffuse[] = {1.6f, 1.6f, 1.6f, 1};
    const GLfloat position[] = {gs.light_x, gs.light_y, -21, 1};
    const GLfloat specular[] = {1, 1, 1, 1};
    glLightfv(GL_LIGHT1, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT1, GL_DIFFUSE, diffuse);
    glLightfv(GL_LIGHT1, GL_POSITION, position);
    glLightfv(GL_LIGHT1, GL_SPECULAR, specular);
    glEnable(GL_LIGHT1);
    glEnable(GL_LIGHTING);
    glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
    glEnable(GL_COLOR_MATERIAL);
}

void create_scene_objects(RenderResources& gfx) {
    gfx.sphere_quadric = gluNewQuadric();
    if (gfx.sphere_quadric) {
        gluQuadricNormals(gfx.sphere_quadric, GLU_SMOOTH);
        gluQuadricTexture(gfx.sphere_quadric, GL_TRUE);
    }
    gfx.blob_list = glGenLists(1);
    if (gfx.blob_list && gfx.sphere_quadric) {
        glNewList(gfx.blob_list, GL_COMPILE);
        gluSphere(gfx.sphere_quadric, 1.0, 6, 6);
        glEndList();
    }
}

void delete_scene_objects(RenderResources& gfx) {
    if (gfx.sphere_quadric)
        gluDeleteQuadric(gfx.sphere_quadric);
    gfx.sphere_quadric = nullptr;
    gfx.blob_list = 0;
}

void program_draw(GameState& gs, const RenderResources& gfx, RenderState& rs) {
    glClear(GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    const Point m = players_mean(gs);
    draw_hud(gs, gfx);
    draw_overview_map(gs, gfx, m);
    if (gs.playing)
        draw_play_scene(gs, gfx, rs, m);
    else
        draw_menu_scene(gs, gfx);
    advance_pointer_color(rs.pointer_color);
    glColor3ub(GLubyte(rs.pointer_color.r), GLubyte(rs.pointer_color.g),
               GLubyte(rs.pointer_color.b));
    draw_pointers(gs, gfx);
    glColor3ub(255, 255, 255);
    glFlush();
}
