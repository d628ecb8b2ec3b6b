// The renderer on a real GL context: known worlds drawn and read back where the result is
// certain (flat colours, no textures unless the test makes them).
#include "glimbo/game.h"
#include "draw/render_helpers.h"
#include "glimbo/render_scene.h"
#include "tests/glimbo/scene_render_suite.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace {

constexpr int WIDTH = 1280;
constexpr int HEIGHT = 960;

struct PrintedText {
    std::string text;
    float r = 0, g = 0, b = 0; // raster colour when printed
};

class RenderTest : public SceneRenderSuite<WIDTH, HEIGHT> {
  protected:
    void SetUp() override {
        gfx = shared_gfx;
        gfx.print = [this](const char* text) {
            GLfloat c[4] = {};
            glGetFloatv(GL_CURRENT_RASTER_COLOR, c);
            printed.push_back({text, c[0], c[1], c[2]});
        };
        init_game_state(gs, 2);
        fill_menu_items(gs);
        gs.background_enabled = false;
        for (int i = 0; i < 2; ++i) {
            Player& p = gs.players[size_t(i)];
            p.radius = 1;
            p.nearest_blob = -1;
        }
    }

    // A fresh window's projection and GL state, and a cleared colour buffer.
    void prepare(Rgb clear = {}) {
        apply_gl_projection(WIDTH, HEIGHT);
        set_scene_gl_state(gs);
        glClearColor(float(clear.r) / 255, float(clear.g) / 255, float(clear.b) / 255, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        printed.clear();
    }

    void draw() { program_draw(gs, gfx, rs); }

    // Player i at (x, y), at rest, aiming straight up, its pointer well away from it.
    void place(int i, float x, float y) {
        Player& p = gs.players[size_t(i)];
        p.x = p.prev_x = x;
        p.y = p.prev_y = y;
        p.aim_x = x;
        p.aim_y = y + 30;
        p.pointer_x = x;
        p.pointer_y = y + 14;
    }

    // Play with the camera square in front of the players' mean.
    void play_at(float cx, float cy) {
        gs.playing = true;
        gs.camera_x = cx;
        gs.camera_y = cy;
    }

    // Player 0 alone at the origin, aiming and pointing away from its rope 0, which is
    // attached to its own ground point at (ax, ay).
    Rope& lone_rope(float ax, float ay) {
        gs.player_count = 1;
        place(0, 0, 0);
        Player& p = gs.players[0];
        p.aim_x = 30;
        p.aim_y = 0;
        p.pointer_x = 15;
        p.pointer_y = -15;
        Rope& rope = p.ropes[0];
        rope.attached = 1;
        rope.anchor = {AnchorKind::own, 0};
        rope.anchor_x = ax;
        rope.anchor_y = ay;
        return rope;
    }

    const PrintedText* find_text(const std::string& text) const {
        const auto it = std::find_if(printed.begin(), printed.end(),
                                     [&](const PrintedText& t) { return t.text == text; });
        return it == printed.end() ? nullptr : &*it;
    }

    GameState gs;
    RenderResources gfx;
    RenderState rs;
    std::vector<PrintedText> printed;
};

bool on_screen(const WindowPoint& p) {
    return p.x >= 0 && p.y >= 0 && p.x < WIDTH && p.y < HEIGHT;
}

// ---- pure helpers ---------------------------------------------------------------------

TEST(SegmentLookTest, TexturesAndOverlayByBothSurfaceTypes) {
    struct Row {
        int32_t type, next;
        int slot;
        bool overlay;
    };
    const Row rows[] = {
        {1, 3, SLOT_GROUND2SPIKES, false}, {1, 0, SLOT_GROUND, false},
        {2, 1, SLOT_ICE2GROUND, true},     {2, 7, SLOT_ICE, true},
        {3, 2, SLOT_SPIKES2ICE, true},     {3, 3, SLOT_SPIKES, true},
        {0, 1, SLOT_HEAD, true},           {6, 1, SLOT_HEAD, true},
    };
    for (const Row& row : rows) {
        const SegmentLook look = segment_look(row.type, row.next);
        EXPECT_EQ(look.slot, row.slot) << row.type << " -> " << row.next;
        EXPECT_EQ(look.overlay, row.overlay) << row.type << " -> " << row.next;
    }
}

// ---- play scene -----------------------------------------------------------------------

TEST_F(RenderTest, OtherPlayersShellsAreRedPlayerZerosIsNot) {
    place(0, 0, 0);
    place(1, 6, 0);
    gs.light_x = 3;
    gs.light_y = 0;
    play_at(3, 0);
    prepare();
    draw();
    // Below and right of each centre: clear of the aim line that runs straight up.
    const WindowPoint c0 = project(0, 0, -30), c1 = project(6, 0, -30);
    ASSERT_TRUE(on_screen(c0) && on_screen(c1));
    const Rgb white = read_pixel(int(c0.x) + 4, int(c0.y) - 4);
    const Rgb red = read_pixel(int(c1.x) + 4, int(c1.y) - 4);
    EXPECT_GT(white.g, 60) << "player 0's shell is drawn in white";
    EXPECT_GT(white.b, 60);
    EXPECT_GT(red.r, 60) << "player 1's shell is drawn";
    EXPECT_EQ(red.g, 0) << "player 1's shell is tinted red";
    EXPECT_EQ(red.b, 0);
}

TEST_F(RenderTest, BallsRollWithTheirMotionOnlyInPlay) {
    place(0, 0, 0);
    gs.players[0].prev_x = -0.5f; // moved 0.5 to the right
    gs.players[0].x = 0;
    gs.player_count = 1;
    prepare();
    draw(); // menu: no rolling
    EXPECT_EQ(gs.players[0].roll_angle, 0);
    play_at(0, 0);
    draw();
    EXPECT_FLOAT_EQ(gs.players[0].roll_angle, -7);
    draw();
    EXPECT_FLOAT_EQ(gs.players[0].roll_angle, -14);
    EXPECT_NEAR(rs.scroll_offset, 0.02f, 1e-6);
}

// A level of two segments: ground and base lines 10 apart, one surface type per segment.
void two_segment_level(GameState& gs, int32_t first, int32_t second) {
    gs.level = LevelData{};
    // The last point copies the first one's type.
    gs.level.ground = {{-30, 0, 1, first}, {0, 0, 1, second}, {30, 0, 1, first}};
    gs.level.base = {{-30, -10}, {0, -10}, {30, -10}};
}

// Slot texture whose lower half (t < 0.5) is green and upper half red, opaque.
uint32_t half_and_half_texture() {
    return make_texture(2, 2, {0, 255, 0, 255, 0, 255, 0, 255, 255, 0, 0, 255, 255, 0, 0, 255});
}

TEST_F(RenderTest, IceGetsTheScrollingOverlayPlainGroundDoesNot) {
    const uint32_t texture = half_and_half_texture();
    gfx.texture_ids[SLOT_GROUND] = texture;
    gfx.texture_ids[SLOT_ICE2GROUND] = texture;
    gs.player_count = 1;
    place(0, 0, 8); // above the band, out of the sampled spots

    // Segment 0 is ice (followed by ground: "ice2ground"), segment 1 plain ground.
    two_segment_level(gs, SURFACE_ICE, SURFACE_GROUND);
    gs.level.ground[2].type = SURFACE_GROUND;
    play_at(0, 8);
    gs.camera_distance = 40;
    rs.scroll_offset = 0.49f; // 0.5 once this frame adds its step: the overlay is shifted
                              // by half the texture
    prepare();
    draw();
    // A quarter of the way up the front face, t is 0.25 (green); the overlay samples 0.75
    // (red) at half opacity.
    const WindowPoint ice = project(-15, -10 + 0.25 * 10, -15 - 0.25 * 9);
    const WindowPoint ground = project(15, -10 + 0.25 * 10, -15 - 0.25 * 9);
    ASSERT_TRUE(on_screen(ice) && on_screen(ground))
        << ice.x << "," << ice.y << " " << ground.x << "," << ground.y;
    const Rgb ice_px = read_pixel(ice);
    const Rgb ground_px = read_pixel(ground);
    EXPECT_GT(ice_px.r, 40) << "overlay drawn over the ice";
    EXPECT_GT(ice_px.g, 40) << "the ice itself shows under the half-transparent overlay";
    EXPECT_EQ(ground_px.r, 0) << "no overlay on plain ground";
    EXPECT_GT(ground_px.g, 40);
    glDeleteTextures(1, &texture);
}

TEST_F(RenderTest, SoftModeDropsTheLowerFacesAndBlendsTheBandAdditively) {
    gs.player_count = 1;
    place(0, 0, 8);
    two_segment_level(gs, SURFACE_GROUND, SURFACE_GROUND);
    play_at(0, 8);
    gs.camera_distance = 60; // the whole band in view, nothing clipped

    // How many feedback polygons one quad makes on this GL.
    prepare();
    const int per_quad = count_polygons([] {
        glBegin(GL_QUADS);
        glVertex3f(-0.1f, -0.1f, -5);
        glVertex3f(0.1f, -0.1f, -5);
        glVertex3f(0.1f, 0.1f, -5);
        glVertex3f(-0.1f, 0.1f, -5);
        glEnd();
    });
    ASSERT_GT(per_quad, 0);
    prepare();
    const int hard = count_polygons([&] { draw(); });
    gs.soft_collisions = true;
    prepare();
    const int soft = count_polygons([&] { draw(); });
    ASSERT_GT(hard, 0);
    EXPECT_EQ(hard - soft, 2 * per_quad) << "one lower face per segment is left out";

    // Hard: the red band covers a blue background; soft: it adds to it.
    const uint32_t red = make_texture(1, 1, {255, 0, 0, 255});
    gfx.texture_ids[SLOT_GROUND] = red;
    const WindowPoint front = project(10, -5, -19.5);
    ASSERT_TRUE(on_screen(front));
    gs.soft_collisions = false;
    prepare({0, 0, 100});
    draw();
    const Rgb hard_px = read_pixel(front);
    gs.soft_collisions = true;
    prepare({0, 0, 100});
    draw();
    const Rgb soft_px = read_pixel(front);
    EXPECT_GT(hard_px.r, 60);
    EXPECT_EQ(hard_px.b, 0);
    EXPECT_GT(soft_px.r, 60);
    EXPECT_GE(soft_px.b, 100);
    glDeleteTextures(1, &red);
}

TEST_F(RenderTest, RopeIsTwelveGreySegmentsWithItsHook) {
    Rope& rope = lone_rope(-12, 12);
    Player& p = gs.players[0];
    rope.node_weight = 1;
    // A zigzag from the anchor to the ball: node k is one twelfth further, alternately
    // pushed one unit to either side of the straight line.
    for (int k = 0; k < ROPE_NODE_COUNT; ++k) {
        const float f = float(k + 1) / 12;
        const float side = (k % 2 == 0) ? 1.0f : -1.0f;
        rope.nodes[size_t(k)].x = -12 + 12 * f + side;
        rope.nodes[size_t(k)].y = 12 - 12 * f + side;
    }
    play_at(0, 0);
    prepare();
    draw();

    std::vector<std::pair<float, float>> path = {{-12, 12}};
    for (const RopeNode& n : rope.nodes)
        path.push_back({n.x, n.y});
    path.push_back({0, 0});
    ASSERT_EQ(path.size(), 13u);
    for (size_t k = 0; k + 1 < path.size(); ++k) {
        const WindowPoint mid = project((path[k].first + path[k + 1].first) / 2,
                                        (path[k].second + path[k + 1].second) / 2, -30);
        ASSERT_TRUE(on_screen(mid));
        const Rgb px = read_pixel(mid);
        if (k == 0)
            continue; // under the hook ball
        EXPECT_EQ(px, (Rgb{64, 64, 64})) << "segment " << k;
    }
    // The hook: a white ball over the anchor, drawn after the lines.
    const Rgb hook = read_pixel(project(-12, 12, -30));
    EXPECT_GT(hook.r, 100);
    EXPECT_EQ(hook.r, hook.g);
    EXPECT_EQ(hook.g, hook.b);
    EXPECT_NE(hook.r, 64);

    // A weight below 1 gives a hook of size 0: the anchor shows the line. Slot 1 is lighter.
    p.ropes[1] = rope;
    p.ropes[0].attached = 0;
    p.ropes[1].node_weight = 0.5f;
    prepare();
    draw();
    const Rgb bare = read_pixel(project(-12, 12, -30));
    EXPECT_EQ(bare, (Rgb{192, 192, 192}));
}

TEST_F(RenderTest, RigidRopeIsOneBrownLine) {
    Rope& rope = lone_rope(-10, 10);
    rope.rigid = 1;
    rope.node_weight = 0;
    play_at(0, 0);
    prepare();
    draw();
    const Rgb px = read_pixel(project(-5, 5, -30));
    EXPECT_EQ(px, (Rgb{110, 80, 55}));
}

TEST_F(RenderTest, PointerColourOnTheFirstAndSeventeenthFrame) {
    gs.player_count = 1;
    place(0, 0, 0);
    // The light far to the side: the pointer is lit mostly by the ambient terms, so its
    // channels keep the ratios of the pointer colour.
    gs.light_x = -2000;
    play_at(0, 0);
    const WindowPoint at = [&] {
        prepare();
        draw();
        return project(gs.players[0].pointer_x, gs.players[0].pointer_y, -30);
    }();
    ASSERT_TRUE(on_screen(at));
    const Rgb first = read_pixel(at);
    EXPECT_GT(first.r, 60);
    EXPECT_GT(first.r, 10 * first.g) << "(255, 15, 0): red with a trace of green";
    EXPECT_GT(first.g, 0);
    EXPECT_EQ(first.b, 0);

    for (int frame = 2; frame <= 17; ++frame) {
        prepare();
        draw();
    }
    const Rgb seventeenth = read_pixel(at);
    EXPECT_GT(seventeenth.g, seventeenth.r) << "(240, 255, 0)";
    EXPECT_GT(seventeenth.r * 100, seventeenth.g * 85);
    EXPECT_EQ(seventeenth.b, 0);
    EXPECT_EQ(rs.pointer_color.red, 240);
}

TEST_F(RenderTest, TrailPuffLivesOneHundredFrames) {
    gs.player_count = 1;
    place(0, 0, 0);
    gs.trail_enabled = true;
    play_at(0, 0);
    prepare();
    draw();
    EXPECT_EQ(gs.trail_head, 1);
    EXPECT_EQ(gs.trail[1].alive, 1);
    EXPECT_EQ(gs.trail[1].life, 99);
    for (int frame = 2; frame <= 100; ++frame)
        draw();
    EXPECT_EQ(gs.trail_head, 100 % TRAIL_LENGTH);
    EXPECT_EQ(gs.trail[1].alive, 0) << "drawn on 100 frames, birth included";
    EXPECT_EQ(gs.trail[2].alive, 1);
    EXPECT_EQ(gs.trail[0].alive, 1) << "the ring wraps from 99 to 0";

    // While the trail is off the ring neither grows nor ages.
    gs.trail_enabled = false;
    const int life = gs.trail[2].life;
    draw();
    EXPECT_EQ(gs.trail[2].life, life);
    EXPECT_EQ(gs.trail_head, 0);
}

// ---- menu -----------------------------------------------------------------------------

TEST_F(RenderTest, HoveredMenuButtonIsShiftedWhiteWithADarkBlueLabel) {
    gs.players[0].pointer_dx = 13; // inside "exit" (12, 0), 4 x 3
    gs.players[0].pointer_dy = 1;
    gs.players[1].pointer_dx = -20; // clear of every sampled spot
    gs.players[1].pointer_dy = -14;
    prepare();
    draw();
    // Right edge 16 moves to 16.1, left edge 8 to 8.1 (pointer quad covers 11..15).
    const Rgb beyond_right = read_pixel(project(16.05, -2, -30));
    EXPECT_EQ(beyond_right, (Rgb{255, 255, 255}));
    // (The top edge meets "change controls", whose wash is drawn over it.)
    const Rgb bottom_gap = read_pixel(project(15.5, -2.96, -30));
    EXPECT_LT(bottom_gap.r, 128) << "the bottom edge moved up by 0.1";
    const Rgb left_gap = read_pixel(project(8.04, -2, -30));
    EXPECT_LT(left_gap.r, 128) << "the left edge moved right by 0.1";

    // A button that is not hovered is a faint wash.
    const Rgb play = read_pixel(project(0, -2, -30));
    EXPECT_LT(play.r, 60);

    const PrintedText* exit = find_text("exit");
    const PrintedText* play_label = find_text("play");
    ASSERT_TRUE(exit && play_label);
    EXPECT_NEAR(exit->b, 128.0 / 255, 0.01);
    EXPECT_EQ(exit->r + exit->g, 0);
    EXPECT_NEAR(play_label->b, 1.0, 0.001);
}

TEST_F(RenderTest, MenuTextsAndPrompts) {
    gs.level_index = 2;
    gs.frame_rate = 59.5f;
    gs.blobs_left = 4;
    gs.time_taken = 2999;
    prepare();
    draw();
    EXPECT_TRUE(find_text("fps = 59.500000"));
    EXPECT_TRUE(find_text("blobs left = 4"));
    EXPECT_TRUE(find_text("time taken 2"));
    EXPECT_TRUE(find_text("youre on level 3"));
    EXPECT_TRUE(find_text("glimbo v0.5(?) alpha"));
    EXPECT_TRUE(find_text(CREDIT_LINE));
    EXPECT_FALSE(find_text("player 1 press button 1"));
    for (const char* label : {"play", "exit", "back 1 level", "restart level", "next level",
                              "change controls", "single player", "save game", "load game"})
        EXPECT_TRUE(find_text(label)) << label;

    gs.binding_mode = true;
    for (int step : {-1, 0, 1}) {
        gs.binding_step = step;
        gs.binding_player = 1;
        prepare();
        draw();
        EXPECT_TRUE(find_text("player 2 press button " + std::to_string(step + 2))) << step;
    }
}

TEST_F(RenderTest, DrawingWithoutPlayersOrLevelIsHarmless) {
    gs.player_count = 0;
    gs.level = LevelData{};
    gs.level.ground.push_back(GroundPoint{}); // a ground line without a base line
    prepare();
    draw();
    play_at(0, 0);
    gs.soft_collisions = true;
    draw();
    GLint src = 0, dst = 0;
    glGetIntegerv(GL_BLEND_SRC, &src);
    glGetIntegerv(GL_BLEND_DST, &dst);
    EXPECT_EQ(src, GL_SRC_ALPHA) << "soft mode's additive blending ends with the frame";
    EXPECT_EQ(dst, GL_ONE_MINUS_SRC_ALPHA);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

} // namespace
