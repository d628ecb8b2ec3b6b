// Steps of the game's frame that both games draw alike, over any world with the game's
// fields (`players`, `player_count`, `level`, `flock`, `trail`, `trail_head`, `camera_x`,
// `frame_rate`, `blobs_left`, `time_taken`). Where the games differ, the difference is a
// parameter: the sphere tilt of the overview map, the colours of rigid ropes, and what is
// drawn after each aim line.
#pragma once

#include "level/level_file.h"
#include "physics/collision.h"
#include "physics/world_parts.h"

#include <vector>
#include "draw/render_helpers.h"
#include "draw/render_types.h"

#include <GL/gl.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

constexpr float PLANE_Z = -30;

struct Point {
    float x = 0, y = 0;
};

// Formats like printf (texts longer than the font's 255 characters are cut) and prints at
// the current raster position.
__attribute__((format(printf, 2, 3))) void print_text(const RenderResources& gfx,
                                                      const char* format, ...);

// Texture of a ground surface type where no transition is drawn.
int map_slot(int32_t type);

// Segments that have both ends in the ground and in the base line. The base line is as
// long as the ground line in every loaded level; the smaller of the two bounds the
// segments so that a mismatch can never read past either.
inline size_t segment_count(const LevelData& level) {
    const size_t n = std::min(level.ground.size(), level.base.size());
    return n < 2 ? 0 : n - 1;
}

void draw_spike_pit(float camera_x, const RenderResources& gfx);
// The star backdrop: a 600 x 600 quad at depth -90 around (cx, cy), the texture eight times.
void draw_backdrop_quad(float cx, float cy);
void draw_blobs(const LevelData& level, const RenderResources& gfx);
void draw_flock(const std::array<Sheep, FLOCK_SIZE>& flock, const RenderResources& gfx);
// One line at the play plane's depth, inside glBegin(GL_LINES).
void plane_line(float x0, float y0, float x1, float y1);

// Simulated players that have a record.
template <class World> int drawn_player_count(const World& w) {
    int n = w.player_count;
    if (n > int(w.players.size()))
        n = int(w.players.size());
    return n < 0 ? 0 : n;
}

template <class World> Point players_mean(const World& w) {
    const int n = drawn_player_count(w);
    // With no player at all the map and the camera look at the origin.
    if (n == 0)
        return {};
    Point m;
    for (int i = 0; i < n; ++i) {
        m.x += w.players[size_t(i)].x;
        m.y += w.players[size_t(i)].y;
    }
    m.x /= float(n);
    m.y /= float(n);
    return m;
}

template <class World> void draw_hud(const World& w, const RenderResources& gfx) {
    glPushMatrix();
    glScalef(0.1f, 0.1f, 0.1f);
    glTranslatef(0, 0, -10);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glRasterPos2f(-5.2f, 3.7f);
    print_text(gfx, "fps = %f", double(w.frame_rate));
    glRasterPos2f(-5.2f, 3.4f);
    print_text(gfx, "blobs left = %i", w.blobs_left);
    glRasterPos2f(-5.2f, 3.1f);
    print_text(gfx, "time taken %i", int(w.time_taken * 0.001f));
    glEnable(GL_TEXTURE_2D);
    glPopMatrix();
}

void draw_overview_map(const LevelData& level, const RenderResources& gfx, Point m,
                       SphereTilt tilt);

// Trail of dust puffs behind player 0: a new puff every frame, each drawn for 100 frames.
template <class World> void draw_trail(World& w, const RenderResources& gfx) {
    if (w.players.empty())
        return;
    w.trail_head = (w.trail_head + 1) % TRAIL_LENGTH;
    // A quick load or a bad value elsewhere must not index outside the ring.
    if (w.trail_head < 0)
        w.trail_head = 0;
    TrailPuff& newest = w.trail[size_t(w.trail_head)];
    newest.x = w.players[0].x;
    newest.y = w.players[0].y;
    newest.alive = 1;
    newest.life = 100;
    bind_slot(gfx, SLOT_GDUST);
    for (TrailPuff& puff : w.trail) {
        if (!puff.alive)
            continue;
        draw_blob_with_bound_texture(gfx, puff.x, puff.y, PLANE_Z, 1);
        if (puff.life == 1)
            puff.alive = 0;
        --puff.life;
    }
}

// The point a rope pulls on; references to a sheep or player that does not exist fall
// back to the rope's own anchor.
template <class World> Point anchored_point(const World& w, const Rope& rope) {
    const int32_t i = rope.anchor.index;
    switch (rope.anchor.kind) {
    case AnchorKind::sheep:
        if (i >= 0 && i < FLOCK_SIZE)
            return {w.flock[size_t(i)].x, w.flock[size_t(i)].y};
        break;
    case AnchorKind::player:
        if (i >= 0 && i < int(w.players.size()))
            return {w.players[size_t(i)].x, w.players[size_t(i)].y};
        break;
    case AnchorKind::own:
        break;
    }
    return {rope.anchor_x, rope.anchor_y};
}

struct Rgb8 {
    uint8_t r = 0, g = 0, b = 0;
};

// Colour of a rigid rope by its slot.
using RigidRopeColours = std::array<Rgb8, 2>;

template <class World, class P>
void draw_rope(const World& w, const RenderResources& gfx, const P& p, int slot,
               const RigidRopeColours& rigid_colours) {
    const Rope& rope = p.ropes[size_t(slot)];
    if (!rope.attached)
        return;
    const Point a = anchored_point(w, rope);
    glBegin(GL_LINES);
    if (rope.rigid) {
        const Rgb8 c = rigid_colours[size_t(slot)];
        glColor3ub(c.r, c.g, c.b);
        plane_line(a.x, a.y, p.x, p.y);
    } else {
        const GLubyte grey = slot == 0 ? 64 : 192;
        glColor3ub(grey, grey, grey);
        plane_line(a.x, a.y, rope.nodes[0].x, rope.nodes[0].y);
        for (int k = 0; k + 1 < ROPE_NODE_COUNT; ++k)
            plane_line(rope.nodes[size_t(k)].x, rope.nodes[size_t(k)].y,
                       rope.nodes[size_t(k) + 1].x, rope.nodes[size_t(k) + 1].y);
        const RopeNode& last = rope.nodes[ROPE_NODE_COUNT - 1];
        plane_line(last.x, last.y, p.x, p.y);
    }
    glEnd();
    glColor3ub(255, 255, 255);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_LIGHTING);
    draw_blob_at(gfx, a.x, a.y, PLANE_Z, float(int(rope.node_weight)) * 0.7f, SLOT_MINIBALL);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
}

// Every player's ropes and aim line; `after_aim(player)` draws what a game adds after the
// aim line while the guide state is still set.
template <class World, class AfterAim>
void draw_ropes_and_guides(const World& w, const RenderResources& gfx,
                           const RigidRopeColours& rigid_colours, AfterAim after_aim) {
    const int n = drawn_player_count(w);
    for (int i = 0; i < n; ++i) {
        const auto& p = w.players[size_t(i)];
        glDisable(GL_LIGHTING);
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_DEPTH_TEST);
        glLineWidth(3);
        draw_rope(w, gfx, p, 0, rigid_colours);
        draw_rope(w, gfx, p, 1, rigid_colours);

        glBlendFunc(GL_ONE, GL_ONE);
        glLineWidth(2);
        glColor3ub(128, 0, 0);
        glBegin(GL_LINES);
        plane_line(p.aim_x, p.aim_y, p.x, p.y);
        glEnd();

        after_aim(p);

        glEnable(GL_DEPTH_TEST);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glEnable(GL_TEXTURE_2D);
    }
    // Without players the additive blending of glimbo's soft mode must still end here.
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}
