// mygame1: the hopping four-mass creature among fifty sheep.
#include "frame/frame.h"
#include "editing/gl_draw.h"
#include "editing/ground_file.h"
#include "mygame1/hopper.h"
#include "editing/program_support.h"

#include <cmath>

namespace {

struct Program {
    HopperWorld world;
    bool world_ready = false; // the world outlives a rebuilt window
    TextureSlots textures;
    MessageBoxErrors errors;
};

enum Slot {
    TEX_HEAD = 0,
    TEX_GROUND = 1,
    TEX_FOOT = 2,
    TEX_SHEEP = 3,
    TEX_POINTER = 4,
    TEX_SKY = 5,
    TEX_HANDLE = 6,
    TEX_STICK = 7,
    TEX_BALL = 8,
};

void init(Program& p) {
    p.textures.load(prototype_texture_files(), TextureUpload::mipmapped);
    if (!p.world_ready) {
        p.world = make_hopper_world();
        p.world_ready = true;
        load_ground(MYGAME_FILE_NAME, p.world.ground, p.errors); // no file: the floor only
    }
}

// A textured band of half-width `half` from `from` to `to`, `from`'s corners first.
void draw_band(Vec2 from, Vec2 to, float half) {
    Vec2 d = to - from;
    float len = length(d);
    if (len == 0)
        return; // coincident ends: no direction to lay the band along
    float a = d.x / len * half, b = d.y / len * half;
    glBegin(GL_QUADS);
    glTexCoord2f(0, 1);
    glVertex3f(from.x + b, from.y - a, -30);
    glTexCoord2f(0, 0);
    glVertex3f(to.x + b, to.y - a, -30);
    glTexCoord2f(1, 0);
    glVertex3f(to.x - b, to.y + a, -30);
    glTexCoord2f(1, 1);
    glVertex3f(from.x - b, from.y + a, -30);
    glEnd();
}

using TexCorners = float[4][2];
constexpr TexCorners UPRIGHT = {{0, 1}, {0, 0}, {1, 0}, {1, 1}};
constexpr TexCorners HEAD_MIRRORED = {{1, 1}, {1, 0}, {0, 0}, {0, 1}};
constexpr TexCorners SHEEP_FACING = {{0, 0}, {0, 1}, {1, 1}, {1, 0}};

// A square around `c` turned by (a, b), the direction its bottom faces over its half-size.
void draw_turned_square(Vec2 c, float a, float b, const TexCorners& t) {
    const float corners[4][2] = {
        {c.x + b - a, c.y - b - a},
        {c.x + b + a, c.y + b - a},
        {c.x + a - b, c.y + a + b},
        {c.x - a - b, c.y - b + a},
    };
    glBegin(GL_QUADS);
    for (int i = 0; i < 4; ++i) {
        glTexCoord2f(t[i][0], t[i][1]);
        glVertex3f(corners[i][0], corners[i][1], -30);
    }
    glEnd();
}

void draw_sheep(const HopperWorld& w, const TextureSlots& textures) {
    const Mass& head = w.creature.head;
    textures.bind(TEX_SHEEP);
    for (const Sheep& sheep : w.sheep) {
        const Mass& s = sheep.body;
        float d = length(head.pos() - s.pos()) * s.radius;
        if (d >= 10 || d == 0) {
            draw_quad_at(s.x, s.y, -30, s.radius, s.radius);
            continue;
        }
        // Near the head a sheep turns to look at it.
        draw_turned_square(s.pos(), (s.y - head.y) / d, (head.x - s.x) / d,
                           sheep.facing ? SHEEP_FACING : UPRIGHT);
    }
}

void draw(const Program& p) {
    const HopperWorld& w = p.world;
    const Creature& c = w.creature;
    const TextureSlots& tex = p.textures;
    start_view(w.camera_x);
    draw_sky(tex, TEX_SKY, w.camera_x);
    draw_clouds(w.clouds, tex);
    tex.bind(TEX_GROUND);
    draw_ground_band(w.ground, -30);
    tex.bind(TEX_FOOT);
    draw_quad_at(c.foot.x, c.foot.y, -30, 0.7f, 0.7f);
    tex.bind(TEX_STICK);
    draw_band(c.ball.pos(), c.handle.pos(), 0.5f);
    draw_band(c.head.pos(), c.foot.pos(), 1);
    tex.bind(TEX_BALL);
    draw_quad_at(c.ball.x, c.ball.y, -30, 1.5f * 0.8f, 1.5f * 0.8f);
    tex.bind(TEX_HANDLE);
    draw_quad_at(c.handle.x, c.handle.y, -30, 0.3f, 0.3f);
    tex.bind(TEX_HEAD);
    Vec2 down = c.foot.pos() - c.head.pos();
    float scale = length(down) * c.head.radius;
    if (scale > 0)
        draw_turned_square(c.head.pos(), down.x / scale, down.y / scale,
                           c.facing_left ? HEAD_MIRRORED : UPRIGHT);
    draw_sheep(w, tex);

    // A soft light in the top right corner of the sky.
    glBlendFunc(GL_ONE, GL_ONE);
    glDisable(GL_TEXTURE_2D);
    glBegin(GL_QUADS);
    glColor3ub(128, 128, 128);
    glVertex3f(w.camera_x + 35, 35, -60);
    glColor3ub(0, 0, 0);
    glVertex3f(w.camera_x - 35, 35, -60);
    glVertex3f(w.camera_x - 35, -35, -60);
    glVertex3f(w.camera_x + 35, -35, -60);
    glEnd();
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_TEXTURE_2D);

    draw_pointer(tex, TEX_POINTER, w.pointer.x, w.pointer.y, w.pointer_colour);
    glFlush();
}

} // namespace

int main() {
    Program p;
    return run_editor_program(Deliverable::mygame1,
                              {[&] { init(p); },
                               [&](const FrameInput& in) { hopper_step(p.world, in); },
                               [&] { draw(p); }});
}
