// program_init and program_deinit on an offscreen context, in a folder of content made by
// the test: what a (re)build sets up again and what survives it.
#include "glimbo/game.h"
#include "physics/keys.h"
#include "glimbo/program.h"
#include "tests/glimbo/gl_test_context.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

LevelData flat_level(float length) {
    LevelData level;
    level.ground = {{-length, -3}, {length, -3}};
    level.base = {{-length, -13}, {length, -13}};
    level.blobs = {{10, 0}};
    return level;
}

// A 2 x 2 uncompressed 24-bit image.
void write_tga(const fs::path& path) {
    const uint8_t header[18] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 2, 0, 24, 0};
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(header), sizeof header);
    for (int i = 0; i < 4; ++i)
        out.put(char(200)).put(char(100)).put(char(50));
}

class ProgramTest : public ::testing::Test {
  protected:
    static GlTestContext gl;
    static void SetUpTestSuite() {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        ASSERT_TRUE(gl.open(640, 480));
    }
    static void TearDownTestSuite() { gl.close(); }

    void SetUp() override {
        old_dir = fs::current_path();
        dir = fs::temp_directory_path() / ("glimbo_program_" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir / "levels");
        std::string error;
        ASSERT_TRUE(write_level_file((dir / "levels/level1.svg").string(), flat_level(50), error));
        ASSERT_TRUE(write_level_file((dir / "levels/level2.svg").string(), flat_level(80), error));
        fs::current_path(dir);
        init_game_state(program.game, 2);
    }
    void TearDown() override {
        fs::current_path(old_dir);
        fs::remove_all(dir);
    }

    fs::path old_dir, dir;
    GlimboProgram program;
    GlWindow window;
};

GlTestContext ProgramTest::gl;

TEST_F(ProgramTest, InitialisesTheGameWithoutAnyImages) {
    ASSERT_TRUE(program_init(program, window));
    const GameState& gs = program.game;
    EXPECT_FALSE(gs.playing) << "starts in the menu";
    EXPECT_EQ(gs.level.ground.size(), 2u) << "level 1 loaded";
    EXPECT_EQ(gs.players[0].y, -1);
    for (uint32_t id : program.gfx.texture_ids)
        EXPECT_EQ(id, 0u) << "no Data folder: every surface drawn plain";
    EXPECT_NE(program.gfx.sphere_quadric, nullptr);
    EXPECT_TRUE(program.gfx.print);
    EXPECT_TRUE(glIsList(program.gfx.blob_list));

    GLboolean lighting = GL_FALSE, light1 = GL_FALSE, alpha = GL_FALSE, cull = GL_TRUE;
    glGetBooleanv(GL_LIGHTING, &lighting);
    glGetBooleanv(GL_LIGHT1, &light1);
    glGetBooleanv(GL_ALPHA_TEST, &alpha);
    glGetBooleanv(GL_CULL_FACE, &cull);
    EXPECT_TRUE(lighting && light1 && alpha);
    EXPECT_FALSE(cull);

    program_draw(program); // a frame of the menu with no textures at all
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    program_deinit(program);
    EXPECT_TRUE(program.game.level.ground.empty()) << "the ground line is freed";
    EXPECT_EQ(program.gfx.sphere_quadric, nullptr);
}

TEST_F(ProgramTest, ImagesLoadIntoTheirSlots) {
    fs::create_directories(dir / "Data");
    write_tga(dir / "Data/ice.tga");
    write_tga(dir / "Data/pointer.tga");
    ASSERT_TRUE(program_init(program, window));
    for (int slot = 0; slot < TEXTURE_SLOT_COUNT; ++slot) {
        const bool present = slot == SLOT_ICE || slot == SLOT_POINTER;
        EXPECT_EQ(program.gfx.texture_ids[size_t(slot)] != 0, present)
            << TEXTURE_FILES[size_t(slot)];
    }
    EXPECT_TRUE(glIsTexture(program.gfx.texture_ids[SLOT_ICE]));
    program_deinit(program);
}

TEST_F(ProgramTest, ARebuildRestartsTheLevelAndTheControlsButKeepsProgress) {
    ASSERT_TRUE(program_init(program, window));
    GameState& gs = program.game;
    // Level 2 reached and played, controls rebound, pointer moved.
    gs.level_index = 1;
    gs.highest_level = 1;
    reset_level(gs, program.host);
    gs.playing = true;
    gs.time_taken = 5000;
    gs.players[0].roll_key = key_letter('A');
    gs.players[1].rigid_key = key_letter('L');
    gs.players[0].pointer_dx = 7;
    gs.flock_enabled = true;
    program_deinit(program);

    ASSERT_TRUE(program_init(program, window));
    EXPECT_FALSE(gs.playing) << "back in the menu";
    EXPECT_EQ(gs.time_taken, 0);
    EXPECT_EQ(gs.level_index, 1) << "level progress survives";
    EXPECT_EQ(gs.highest_level, 1);
    EXPECT_EQ(gs.level.ground[1].x, 80) << "level 2 loaded again";
    EXPECT_EQ(gs.players[0].roll_key, key_letter('Q')) << "default controls are back";
    EXPECT_EQ(gs.players[1].rigid_key, key_letter('U'));
    EXPECT_EQ(gs.players[0].pointer_dx, 7) << "the pointer survives";
    EXPECT_TRUE(gs.flock_enabled) << "the toggles survive";
    program_deinit(program);
}

} // namespace
