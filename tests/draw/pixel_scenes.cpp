#include "tests/draw/pixel_scenes.h"

#include "assets/texture.h"
#include "draw/scene_setup.h"
#include "frame/gl_projection.h"
#include "glimbo/game.h"
#include "glimbo/render_scene.h"
#include "ropegame/render.h"

#include <GL/gl.h>

#include <cstring>

namespace {

// Textures shaped like the content's: RGB where the game's image is RGB (surfaces, the
// sheep, hooks and stars), RGBA elsewhere with alpha in blocks of clear, faint, half and
// opaque so that both the alpha test and blending show; the shells, sheep and hooks twice
// as wide as high. Colours shade across and up from a colour of the slot's own.
uint32_t slot_texture(int slot) {
    static const bool rgb[TEXTURE_SLOT_COUNT] = {0, 1, 0, 0, 0, 0, 0, 0, 0, 1,
                                                 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    const bool wide = slot == SLOT_GLIMBO || slot == SLOT_MINISHEEP || slot == SLOT_MINIBALL;
    const int components = rgb[slot] ? 3 : 4;
    Texture t;
    t.width = 32;
    t.height = wide ? 16 : 32;
    t.bits_per_pixel = uint32_t(8 * components);
    t.pixels.resize(size_t(t.width * t.height) * size_t(components));
    for (int y = 0; y < int(t.height); ++y)
        for (int x = 0; x < 32; ++x) {
            uint8_t* p = &t.pixels[size_t(y * 32 + x) * size_t(components)];
            p[0] = uint8_t((slot * 53) % 128 + x * 4);
            p[1] = uint8_t((slot * 91) % 128 + y * 4);
            p[2] = uint8_t((slot * 17) % 128 + (x + y) * 2);
            if (components == 4)
                p[3] = uint8_t(((x / 8 + y / 8 + slot) % 4) * 85);
        }
    upload_texture(t, TextureUpload::mipmapped);
    return t.texture_id;
}

// Each character as a 6 x 8 bitmap made from its code, 7 pixels apart; rows are 4 bytes
// (the default unpack alignment), the bits in the first byte.
void print_blocks(const char* text) {
    for (const char* c = text; *c; ++c) {
        GLubyte rows[8 * 4] = {};
        for (int r = 0; r < 8; ++r)
            rows[r * 4] = GLubyte((*c * 29 + r * 71) | 0x84);
        glBitmap(6, 8, 0, 0, 7, 0, rows);
    }
}

// ---- worlds -------------------------------------------------------------------------------

// A band of `segments` segments from x0 eastward, 4 apart, zigzagging, with every surface
// type and transition in turn (also the types the game draws as "head"), the base 10 below
// and a little to the east. Three blobs, the middle one collected.
LevelData test_level(float x0, int segments) {
    static const int32_t types[] = {1, 1, 2, 2, 3, 3, 1, 3, 2, 1, 0, 5, 2, 1, 1};
    LevelData level;
    for (int k = 0; k <= segments; ++k) {
        GroundPoint g;
        g.x = x0 + 4.0f * float(k);
        g.y = float((k * 7) % 5) * 0.8f - 3;
        g.type = types[size_t(k) % std::size(types)];
        level.ground.push_back(g);
        level.base.push_back({g.x + 0.5f, g.y - 10});
    }
    level.ground.back().type = level.ground.front().type;
    for (int k = 0; k < 3; ++k) {
        Blob b;
        b.x = x0 + 30.0f + 6.0f * float(k);
        b.y = 3.0f + float(k);
        b.present = k == 1 ? 0 : 1;
        level.blobs.push_back(b);
    }
    return level;
}

// Slack ropes hang in a zigzag from the anchor to the ball; the hook's size follows the
// weight.
void hook(Rope& rope, float ax, float ay, float bx, float by, float weight,
          AnchorRef anchor = {}) {
    rope.attached = 1;
    rope.anchor = anchor;
    rope.anchor_x = ax;
    rope.anchor_y = ay;
    rope.node_weight = weight;
    for (int k = 0; k < ROPE_NODE_COUNT; ++k) {
        const float f = float(k + 1) / 12;
        rope.nodes[size_t(k)].x = ax + (bx - ax) * f;
        rope.nodes[size_t(k)].y = ay + (by - ay) * f + (k % 2 ? 0.4f : -0.4f);
    }
}

template <class World> void pack_flock(World& w, float x, float y) {
    for (int k = 0; k < FLOCK_SIZE; ++k) {
        Sheep& s = w.flock[size_t(k)];
        s.x = s.prev_x = x - 20.0f + float(k % 20) * 2;
        s.y = s.prev_y = y + 2.0f + float(k / 20) * 1.5f;
        s.radius = 0.8f + 0.1f * float(k % 3);
    }
}

GameState glimbo_world(int mice, int players) {
    GameState gs;
    init_game_state(gs, mice);
    gs.player_count = players;
    fill_menu_items(gs);
    gs.level = test_level(-60, 40);
    gs.frame_rate = 59.5f;
    gs.blobs_left = 2;
    gs.time_taken = 12345;
    gs.level_index = 4;
    for (int i = 0; i < players; ++i) {
        Player& p = gs.players[size_t(i)];
        p.x = p.prev_x = -8.0f + 2.5f * float(i);
        p.y = p.prev_y = 2.0f + float(i % 3);
        p.prev_x -= 0.2f * float(i % 4);
        p.radius = 1.0f + 0.1f * float(i % 3);
        p.roll_angle = 20.0f * float(i);
        p.aim_x = p.x + 20;
        p.aim_y = p.y + 22;
        p.pointer_x = p.x + 6;
        p.pointer_y = p.y - 5;
        p.nearest_blob = i % 3 == 2 ? -1 : 0;
    }
    return gs;
}

void draw_glimbo(GameState& gs, const RenderResources& gfx, float scroll) {
    set_scene_gl_state(gs);
    // The game clears only the depth buffer; a known colour stands for the frame before.
    glClearColor(0.2f, 0.25f, 0.3f, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glClearColor(0, 0, 0, 0.5f);
    RenderState rs;
    rs.scroll_offset = scroll;
    program_draw(gs, gfx, rs);
}

void glimbo_menu(const RenderResources& gfx) {
    GameState gs = glimbo_world(2, 2);
    gs.players[0].pointer_dx = 0.5f; // over "play"
    gs.players[0].pointer_dy = -1;
    gs.players[1].pointer_dx = -9;
    gs.players[1].pointer_dy = 6;
    gs.binding_mode = true;
    gs.binding_player = 1;
    gs.binding_step = 0;
    draw_glimbo(gs, gfx, 0);
}

void glimbo_ropes(const RenderResources& gfx) {
    GameState gs = glimbo_world(1, 3);
    gs.playing = true;
    gs.camera_x = -5;
    gs.camera_y = 3;
    gs.light_x = -3;
    gs.light_y = 6;
    gs.trail_enabled = true;
    gs.trail_head = 40;
    for (int k = 0; k < TRAIL_LENGTH; k += 3) {
        TrailPuff& puff = gs.trail[size_t(k)];
        puff = {-14.0f + 0.25f * float(k), 5.0f - 0.04f * float(k), 50 + k % 7, 1};
    }
    pack_flock(gs, 0, 20); // out of sight, but a rope hangs on sheep 5
    Player* p = gs.players.data();
    hook(p[0].ropes[0], -16, 0, p[0].x, p[0].y, 2);
    hook(p[0].ropes[1], p[2].x, p[2].y, p[0].x, p[0].y, 1, {AnchorKind::player, 2});
    p[0].ropes[1].rigid = 1;
    const Sheep& s = gs.flock[5];
    hook(p[1].ropes[0], s.x, s.y, p[1].x, p[1].y, 1, {AnchorKind::sheep, 5});
    hook(p[1].ropes[1], 4, 1, p[1].x, p[1].y, 0.5f);
    p[2].ropes[1].rigid = 1;
    hook(p[2].ropes[1], 2, -2, p[2].x, p[2].y, 3);
    draw_glimbo(gs, gfx, 0.36f);
}

void glimbo_flock(const RenderResources& gfx) {
    GameState gs = glimbo_world(2, 2);
    gs.level = test_level(-44, 30); // another level than the scene before
    gs.playing = true;
    gs.flock_enabled = true;
    gs.camera_x = gs.players[0].x;
    gs.camera_y = gs.players[0].y;
    pack_flock(gs, gs.players[0].x, gs.players[0].y);
    for (int i = 0; i < 2; ++i) {
        Player& p = gs.players[size_t(i)];
        hook(p.ropes[0], p.x - 12, -3, p.x, p.y, 2);
        hook(p.ropes[1], p.x + 12, -2, p.x, p.y, 2);
    }
    draw_glimbo(gs, gfx, 7.5f);
}

void glimbo_soft_crowd(const RenderResources& gfx) {
    GameState gs = glimbo_world(16, 18);
    gs.playing = true;
    gs.soft_collisions = true;
    gs.flock_enabled = true;
    gs.background_enabled = false;
    gs.camera_x = 12;
    gs.camera_y = 6;
    gs.camera_distance = 30;
    pack_flock(gs, 30, 14);
    for (int i = 0; i < 18; ++i) {
        Player& p = gs.players[size_t(i)];
        hook(p.ropes[0], p.x - 5, -2, p.x, p.y, 1);
        hook(p.ropes[1], p.x + 5, -1, p.x, p.y, 2);
        p.ropes[1].rigid = i % 4 == 0;
    }
    draw_glimbo(gs, gfx, 0.5f);
}

// ---- ropegame -------------------------------------------------------------------------

ropegame::World ropegame_world() {
    ropegame::World w;
    ropegame::init_world(w, 2);
    w.level = test_level(-50, 36);
    w.level_index = 7;
    w.frame_rate = 30;
    w.blobs_left = 1;
    w.time_taken = 4000;
    w.play_button = {0, 0, 6, 3, SLOT_HANDLE};
    for (int i = 0; i < 2; ++i) {
        ropegame::Player& p = w.players[size_t(i)];
        p.x = p.prev_x = -4.0f + 7.0f * float(i);
        p.y = p.prev_y = 3.0f;
        p.prev_x -= 0.3f;
        p.radius = 1.2f;
        p.aim_x = p.x - 10;
        p.aim_y = p.y + 28;
        w.pointer_inputs[size_t(i)].pointer_x = p.x + 5 - 9.0f * float(i);
        w.pointer_inputs[size_t(i)].pointer_y = p.y + 4;
    }
    return w;
}

ropegame::World ropegame_play_world() {
    ropegame::World w = ropegame_world();
    w.playing = true;
    w.flock_enabled = true;
    w.trail_enabled = true;
    w.camera_midpoint_mode = true;
    w.camera_x = 2;
    w.camera_y = 4;
    w.camera_distance = 35;
    w.light_x = 2;
    w.light_y = 8;
    pack_flock(w, 0, 4);
    ropegame::Player* p = w.players.data();
    hook(p[0].ropes[0], -12, -2, p[0].x, p[0].y, 2);
    hook(p[1].ropes[1], p[0].x, p[0].y, p[1].x, p[1].y, 1, {AnchorKind::player, 0});
    p[1].ropes[1].rigid = 1;
    return w;
}

void draw_ropegame(ropegame::World& w, const RenderResources& gfx) {
    ropegame::set_gl_state(w);
    RenderState rs;
    ropegame::program_draw(w, gfx, rs);
}

void ropegame_title(const RenderResources& gfx) {
    ropegame::World w = ropegame_world();
    draw_ropegame(w, gfx);
}

void ropegame_play(const RenderResources& gfx) {
    ropegame::World w = ropegame_play_world();
    draw_ropegame(w, gfx);
}

// The balls push ground points about while ropegame is played: the same level, one point
// moved.
void ropegame_pushed(const RenderResources& gfx) {
    ropegame::World w = ropegame_play_world();
    w.level.ground[13].y += 1.5f;
    w.level.ground[13].x -= 0.5f;
    draw_ropegame(w, gfx);
}

} // namespace

RenderResources make_scene_resources() {
    RenderResources gfx;
    for (int slot = 0; slot < TEXTURE_SLOT_COUNT; ++slot)
        gfx.texture_ids[size_t(slot)] = slot_texture(slot);
    create_scene_objects(gfx);
    gfx.print = print_blocks;
    return gfx;
}

void free_scene_resources(RenderResources& gfx) {
    delete_scene_objects(gfx);
    glDeleteTextures(TEXTURE_SLOT_COUNT, gfx.texture_ids.data());
    gfx.texture_ids.fill(0);
}

const std::vector<PixelScene>& pixel_scenes() {
    static const std::vector<PixelScene> scenes = {
        {"glimbo_menu", glimbo_menu},       {"glimbo_ropes", glimbo_ropes},
        {"glimbo_flock", glimbo_flock},     {"glimbo_soft_crowd", glimbo_soft_crowd},
        {"ropegame_title", ropegame_title}, {"ropegame_play", ropegame_play},
        {"ropegame_pushed", ropegame_pushed},
    };
    return scenes;
}

RgbImage shoot_scene(const PixelScene& scene, const RenderResources& gfx) {
    apply_gl_projection(SCENE_WIDTH, SCENE_HEIGHT);
    glShadeModel(GL_SMOOTH);
    scene.draw(gfx);
    return read_window(SCENE_WIDTH, SCENE_HEIGHT);
}
