// Both games' scenes drawn and compared pixel for pixel with reference images drawn by the
// renderer before it kept its geometry (tests/draw/data/README.md says how to remake them):
// first sent vertex by vertex as then, which shows that the references still hold on this
// GL, then as the games draw now. One set of resources and one renderer state serve every
// scene in turn, so geometry kept from a level that has changed since would show. Every
// world is built here value by value, so that nothing but the drawing code changes the
// pictures; the textures are made here too and uploaded as the games upload theirs. The
// references hold the pixels of Mesa's software rasteriser; another rounds differently, so
// there the comparison is skipped.
#include "assets/texture.h"
#include "draw/scene_setup.h"
#include "glimbo/game.h"
#include "glimbo/render_scene.h"
#include "ropegame/render.h"
#include "tests/support/gl_test_context.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

using Bytes = std::vector<uint8_t>;

constexpr int WIDTH = 320;
constexpr int HEIGHT = 240;
constexpr size_t ROW = WIDTH * 3;

// The front buffer as RGB rows, bottom row first.
Bytes read_window() {
    Bytes rgb(ROW * HEIGHT);
    glFinish();
    glReadBuffer(GL_FRONT);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, WIDTH, HEIGHT, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return rgb;
}

// A reference file is the gzip of the rows.
bool save_reference(const std::string& path, const Bytes& rgb) {
    const gzFile file = gzopen(path.c_str(), "wb9");
    const bool written = file && gzwrite(file, rgb.data(), unsigned(rgb.size())) == int(rgb.size());
    return file && gzclose(file) == Z_OK && written;
}

// False when the file is missing, damaged or of another size than the window.
bool load_reference(const std::string& path, Bytes& rgb) {
    rgb.assign(ROW * HEIGHT + 1, 0); // room for one byte more, which a longer file fills
    const gzFile file = gzopen(path.c_str(), "rb");
    const int size = file ? gzread(file, rgb.data(), unsigned(rgb.size())) : -1;
    rgb.pop_back();
    return file && gzclose(file) == Z_OK && size == int(ROW * HEIGHT);
}

// RGB where the game's image is RGB (surfaces, sheep, hooks, stars), elsewhere RGBA with
// alpha in blocks of clear, faint, half and opaque; shells, sheep and hooks twice as wide as
// high. Colours shade across and up from a colour of the slot's own.
uint32_t slot_texture(int slot) {
    static const bool rgb[TEXTURE_SLOT_COUNT] = {0, 1, 0, 0, 0, 0, 0, 0, 0, 1,
                                                 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    const bool wide = slot == SLOT_GLIMBO || slot == SLOT_MINISHEEP || slot == SLOT_MINIBALL;
    const int components = rgb[slot] ? 3 : 4;
    Texture t;
    t.width = 32;
    t.height = wide ? 16 : 32;
    t.bits_per_pixel = uint32_t(8 * components);
    for (int y = 0; y < int(t.height); ++y)
        for (int x = 0; x < 32; ++x) {
            t.pixels.push_back(uint8_t((slot * 53) % 128 + x * 4));
            t.pixels.push_back(uint8_t((slot * 91) % 128 + y * 4));
            t.pixels.push_back(uint8_t((slot * 17) % 128 + (x + y) * 2));
            if (components == 4)
                t.pixels.push_back(uint8_t(((x / 8 + y / 8 + slot) % 4) * 85));
        }
    upload_texture(t, TextureUpload::mipmapped);
    return t.texture_id;
}

// Each character a 6 x 8 bitmap made from its code, 7 pixels apart (rows of 4 bytes, the
// default unpack alignment).
void print_blocks(const char* text) {
    for (const char* c = text; *c; ++c) {
        GLubyte rows[8 * 4] = {};
        for (int r = 0; r < 8; ++r)
            rows[r * 4] = GLubyte((*c * 29 + r * 71) | 0x84);
        glBitmap(6, 8, 0, 0, 7, 0, rows);
    }
}

// Segments 4 apart from x0 eastward, zigzagging, with every surface type and transition in
// turn (also types drawn as "head"), the base 10 below; three blobs, the middle collected.
LevelData test_level(float x0, int segments) {
    static const int32_t types[] = {1, 1, 2, 2, 3, 3, 1, 3, 2, 1, 0, 5, 2, 1, 1};
    LevelData level;
    for (int k = 0; k <= segments; ++k) {
        const float x = x0 + 4.0f * float(k), y = float((k * 7) % 5) * 0.8f - 3;
        level.ground.push_back({x, y, 1, types[size_t(k) % std::size(types)]});
        level.base.push_back({x + 0.5f, y - 10});
    }
    level.ground.back().type = level.ground.front().type;
    for (int k = 0; k < 3; ++k)
        level.blobs.push_back({x0 + 30.0f + 6.0f * float(k), 3.0f + float(k), k != 1, 1});
    return level;
}

// A slack rope in a zigzag from the anchor to the ball.
void hook(Rope& rope, float ax, float ay, float bx, float by, float weight, AnchorRef anchor = {}) {
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
    for (int k = 0; k < FLOCK_SIZE; ++k)
        w.flock[size_t(k)] = {x - 20.0f + float(k % 20) * 2, y + 2.0f + float(k / 20) * 1.5f, 0, 0,
                              0.8f + 0.1f * float(k % 3)};
}

GameState glimbo_world(int mice, int players, bool playing) {
    GameState gs;
    init_game_state(gs, mice);
    gs.player_count = players;
    gs.playing = playing;
    fill_menu_items(gs);
    gs.level = test_level(-60, 40);
    gs.frame_rate = 59.5f;
    gs.blobs_left = 2;
    gs.time_taken = 12345;
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

void draw_glimbo(GameState& gs, const RenderResources& gfx, RenderState& rs, float scroll) {
    set_scene_gl_state(gs);
    // The game clears only the depth buffer; a known colour stands for the frame before.
    glClearColor(0.2f, 0.25f, 0.3f, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glClearColor(0, 0, 0, 0.5f);
    rs.scroll_offset = scroll;
    program_draw(gs, gfx, rs);
}

void glimbo_menu(const RenderResources& gfx, RenderState& rs) {
    GameState gs = glimbo_world(2, 2, false);
    gs.players[0].pointer_dx = 0.5f; // over "play"
    gs.players[0].pointer_dy = -1;
    gs.binding_mode = true;
    gs.binding_player = 1;
    draw_glimbo(gs, gfx, rs, 0);
}

// Ropes on the ground, on a player and on a sheep, rigid and slack, hooks of three sizes
// and none, and a trail.
void glimbo_ropes(const RenderResources& gfx, RenderState& rs) {
    GameState gs = glimbo_world(1, 3, true);
    gs.camera_x = -5;
    gs.camera_y = 3;
    gs.trail_enabled = true;
    gs.trail_head = 40;
    for (int k = 0; k < TRAIL_LENGTH; k += 3)
        gs.trail[size_t(k)] = {-14.0f + 0.25f * float(k), 5.0f - 0.04f * float(k), 50 + k % 7, 1};
    pack_flock(gs, 0, 20); // out of sight, but a rope hangs on sheep 5
    Player* p = gs.players.data();
    hook(p[0].ropes[0], -16, 0, p[0].x, p[0].y, 2);
    hook(p[0].ropes[1], p[2].x, p[2].y, p[0].x, p[0].y, 1, {AnchorKind::player, 2});
    p[0].ropes[1].rigid = 1;
    hook(p[1].ropes[0], gs.flock[5].x, gs.flock[5].y, p[1].x, p[1].y, 1, {AnchorKind::sheep, 5});
    hook(p[2].ropes[1], 2, -2, p[2].x, p[2].y, 3);
    draw_glimbo(gs, gfx, rs, 0.36f);
}

// Another level than the scene before, a crowd with soft collisions and the flock.
void glimbo_soft_crowd(const RenderResources& gfx, RenderState& rs) {
    GameState gs = glimbo_world(16, 18, true);
    gs.level = test_level(-44, 30);
    gs.soft_collisions = gs.flock_enabled = true;
    gs.background_enabled = false;
    gs.camera_x = 12;
    gs.camera_y = 6;
    gs.camera_distance = 30;
    pack_flock(gs, 30, 14);
    for (size_t i = 0; i < gs.players.size(); ++i) {
        Player& p = gs.players[i];
        hook(p.ropes[i % 2], p.x - 5, -2, p.x, p.y, 1.0f + float(i % 2));
        p.ropes[1].rigid = i % 4 == 1;
    }
    draw_glimbo(gs, gfx, rs, 0.5f);
}

// The title, or play with a rope from player 1 to player 0; `pushed` moves one ground point
// up as the balls do while ropegame is played.
void draw_ropegame(bool playing, bool pushed, const RenderResources& gfx, RenderState& rs) {
    ropegame::World w;
    ropegame::init_world(w, 2);
    w.level = test_level(-50, 36);
    w.level.ground[13].y += pushed ? 1.5f : 0;
    w.frame_rate = 30;
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
    if (playing) {
        w.playing = w.flock_enabled = w.trail_enabled = w.camera_midpoint_mode = true;
        w.camera_x = 2;
        w.camera_y = 4;
        w.camera_distance = 35;
        pack_flock(w, 0, 4);
        ropegame::Player* p = w.players.data();
        hook(p[1].ropes[1], p[0].x, p[0].y, p[1].x, p[1].y, 1, {AnchorKind::player, 0});
        p[1].ropes[1].rigid = 1;
    }
    ropegame::set_gl_state(w);
    ropegame::program_draw(w, gfx, rs);
}

struct Scene {
    const char* name;
    void (*draw)(const RenderResources& gfx, RenderState& rs);
};

const Scene SCENES[] = {
    {"glimbo_menu", glimbo_menu},
    {"glimbo_ropes", glimbo_ropes},
    {"glimbo_soft_crowd", glimbo_soft_crowd},
    {"ropegame_title", [](auto& gfx, auto& rs) { draw_ropegame(false, false, gfx, rs); }},
    {"ropegame_play", [](auto& gfx, auto& rs) { draw_ropegame(true, false, gfx, rs); }},
    {"ropegame_pushed", [](auto& gfx, auto& rs) { draw_ropegame(true, true, gfx, rs); }},
};

// With SCENE_REFERENCES_OUT set to a folder, the scenes drawn vertex by vertex are written
// there as new references instead of being compared.
TEST(ScenePixels, EverySceneMatchesItsReference) {
    GlTestContext gl;
    ASSERT_TRUE(gl.open(WIDTH, HEIGHT)) << "no offscreen GL context";
    const char* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    if (!renderer || !std::strstr(renderer, "llvmpipe")) {
        gl.close();
        GTEST_SKIP() << "the references are llvmpipe's; this GL is " << renderer;
    }
    const char* out = std::getenv("SCENE_REFERENCES_OUT");
    RenderResources gfx;
    for (int slot = 0; slot < TEXTURE_SLOT_COUNT; ++slot)
        gfx.texture_ids[size_t(slot)] = slot_texture(slot);
    create_scene_objects(gfx);
    gfx.print = print_blocks;
    RenderState rs;
    for (const bool immediate : {true, false}) {
        gfx.immediate_mode = immediate;
        for (const Scene& scene : SCENES) {
            SCOPED_TRACE(std::string(scene.name) + (immediate ? " vertex by vertex" : " kept"));
            apply_gl_projection(WIDTH, HEIGHT);
            glShadeModel(GL_SMOOTH);
            rs.scroll_offset = 0;
            rs.pointer_color = {};
            scene.draw(gfx, rs);
            const Bytes drawn = read_window();
            const std::string file = std::string("/") + scene.name + ".rgbz";
            Bytes reference;
            if (out) {
                EXPECT_TRUE(!immediate || save_reference(out + file, drawn));
                continue;
            }
            ASSERT_TRUE(load_reference(SCENE_REFERENCE_DIR + file, reference));
            size_t differing = 0;
            for (size_t i = 0; i < drawn.size(); ++i)
                differing += drawn[i] != reference[i];
            EXPECT_EQ(differing, 0u) << "colour bytes differ";
        }
    }
    delete_scene_objects(gfx);
    glDeleteTextures(TEXTURE_SLOT_COUNT, gfx.texture_ids.data());
    gl.close();
}

} // namespace
