// ropegame's frame on a real GL context: the title scene, the pointers and the ground band
// read back where the result is certain.
#include "draw/scene_setup.h"
#include "rope_world.h"
#include "ropegame/render.h"
#include "tests/glimbo/scene_render_suite.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using namespace ropegame;

namespace {

constexpr int WIDTH = 800;
constexpr int HEIGHT = 600;

uint32_t solid_texture(uint8_t r, uint8_t g, uint8_t b) {
    return make_texture(1, 1, {r, g, b, 255});
}

class RopegameRender : public SceneRenderSuite<WIDTH, HEIGHT> {
  protected:
    static void SetUpTestSuite() {
        SceneRenderSuite::SetUpTestSuite();
        if (HasFatalFailure())
            return;
        shared_gfx.texture_ids[SLOT_HANDLE] = solid_texture(255, 0, 255);
        shared_gfx.texture_ids[SLOT_GROUND] = solid_texture(0, 255, 0);
        shared_gfx.texture_ids[SLOT_ICE] = solid_texture(0, 0, 255);
    }
    void SetUp() override {
        gfx = shared_gfx;
        gfx.print = [this](const char* text) { printed.push_back(text); };
        w = rope_world({{0, -1}});
        w.playing = false;
        w.play_button = PlayButton{0, 0, 6, 3, SLOT_HANDLE};
    }

    void draw() {
        apply_gl_projection(WIDTH, HEIGHT);
        set_gl_state(w);
        printed.clear();
        program_draw(w, gfx, rs);
    }
    bool printed_text(const std::string& text) const {
        return std::find(printed.begin(), printed.end(), text) != printed.end();
    }

    World w;
    RenderResources gfx;
    RenderState rs;
    std::vector<std::string> printed;
};

TEST_F(RopegameRender, TitleButtonTextsAndPointer) {
    w.level_index = 2;
    w.pointer_inputs[0].pointer_x = 5, w.pointer_inputs[0].pointer_y = 2;
    draw();
    EXPECT_TRUE(printed_text("click to play"));
    EXPECT_TRUE(printed_text("youre on level 3"));
    EXPECT_TRUE(printed_text("blobs left = 0"));

    const Rgb button = read_pixel(project(-3, 1, -30)); // the button, unlit, in its image
    EXPECT_EQ(button, (Rgb{255, 0, 255}));
    // The pointer at its world position in the title's frame, over everything, in the
    // first colour of the cycle (255, 15, 0), dimmed by the light.
    const Rgb pointer = read_pixel(project(5, 2, -30));
    EXPECT_GT(pointer.r, 20);
    EXPECT_GT(pointer.r, 5 * pointer.g);
    EXPECT_EQ(pointer.b, 0);
    EXPECT_EQ(w.players[0].roll_angle, 0); // balls turn only in play
}

TEST_F(RopegameRender, PlaySceneBandByPointTypeAndRollingBalls) {
    w.playing = true;
    w.camera_x = 0, w.camera_y = -1;
    w.light_x = 0, w.light_y = 0;
    w.level = LevelData{};
    w.level.ground = {gp(-20, -5), gp(0, -5, SURFACE_ICE), gp(20, -5)};
    w.level.base = {{-20, -15}, {0, -15}, {20, -15}};
    w.players[0].prev_x = -0.5f; // moved 0.5 to the right
    w.pointer_inputs[0].pointer_x = 30;
    draw();
    EXPECT_FLOAT_EQ(w.players[0].roll_angle, -7);

    // Front faces, between the ground line (depth -24) and the base line (depth -15).
    const Rgb ground = read_pixel(project(-10, -10, -19.5));
    const Rgb ice = read_pixel(project(10, -10, -19.5));
    EXPECT_GT(ground.g, ground.r + 20) << "segment 0: type 1, Data/Ground.tga";
    EXPECT_GT(ground.g, ground.b + 20);
    EXPECT_GT(ice.b, ice.r + 20) << "segment 1: type 2, Data/ice.tga";
    EXPECT_GT(ice.b, ice.g + 20);

    w.players[0].prev_x = w.players[0].x;
    draw();
    EXPECT_FLOAT_EQ(w.players[0].roll_angle, -7);
}

TEST_F(RopegameRender, NothingToDrawIsHarmless) {
    w.players.clear();
    w.pointer_inputs.clear();
    w.player_count = 0;
    w.level = LevelData{};
    w.level.ground = {gp(0, 0), gp(1, 1)}; // a ground line without its base line
    draw();
    w.playing = true;
    draw();
}

} // namespace
