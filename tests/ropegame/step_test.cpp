// Ropegame's step: the play keys, the ground, the title screen, levels and pointers.
#include "physics/ball_core.h"
#include "physics/keys.h"
#include "ropegame/sim.h"
#include "tests/glimbo/test_world.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

using namespace ropegame;

namespace {

// A world in play with balls at rest at the given spots; a far blob keeps the level going.
World rope_world(std::vector<std::pair<float, float>> spots) {
    random_reset();
    World w;
    init_world(w, int(spots.size()));
    for (size_t i = 0; i < spots.size(); ++i) {
        ropegame::Player& p = w.players[i];
        p.x = p.prev_x = spots[i].first;
        p.y = p.prev_y = spots[i].second;
        p.radius = 1;
        p.button_ready = {1, 1, 1};
        w.pointer_inputs[i].offset_x = 100; // aim to the right
        w.pointer_inputs[i].pointer_x = p.x + 10;
        w.pointer_inputs[i].pointer_y = p.y;
    }
    w.level.blobs = {blob_at(5000, 5000)};
    w.playing = true;
    return w;
}

void hold(World& w, int code, bool down = true) {
    w.key_down[size_t(code)] = down ? 1 : 0;
}

// One step of 20 ms.
void run(World& w, FakeHost& host) {
    game_step(w, host, 20);
}

// A world started on the title screen in `dir`, as the program leaves it.
World start_in(const TempDir& dir, FakeHost& host, int mice = 1, int level_index = 0) {
    random_reset();
    World w;
    init_world(w, mice);
    w.files_dir = dir.path.string();
    w.level_index = level_index;
    reset_level(w, host);
    return w;
}

// One play step of 20 ms with each key held, from a ball at rest at the origin aiming right
// (aim offset (30, 0)) under a light gravity, with the camera at (10, 0).
TEST(RopegamePlay, KeysOfThePlayStep) {
    struct Case {
        int key;
        bool playing;
        float gravity_x, gravity_y, distance, camera_x;
    };
    const Case cases[] = {
        {0, true, 0.01f, 0.02f, 20, 9},
        {'M', false, 0.01f, 0.02f, 20, 9},
        {'I', true, 0.01f, 0.02f, 19.9f, 9},
        {'K', true, 0.01f, 0.02f, 20.1f, 9},
        {'H', true, 30 * POINTER_GRAVITY, 0, 20, 9}, // towards the pointer
        {'J', true, 0, -0.05f, 20, 9},
        {'C', true, 0.01f, 0.02f, 20, 9.9f}, // the camera follows ten times slower
    };
    for (const Case& c : cases) {
        World w = rope_world({{0, 0}});
        w.gravity_x = 0.01f, w.gravity_y = 0.02f;
        w.camera_x = 10;
        hold(w, c.key);
        FakeHost host;
        run(w, host);
        EXPECT_EQ(w.playing, c.playing) << char(c.key);
        EXPECT_NEAR(w.gravity_x, c.gravity_x, 1e-3) << char(c.key);
        EXPECT_NEAR(w.gravity_y, c.gravity_y, 1e-3) << char(c.key);
        EXPECT_FLOAT_EQ(w.camera_distance, c.distance) << char(c.key);
        EXPECT_FLOAT_EQ(w.camera_x, c.camera_x) << char(c.key);
    }
}

// Player 1's shot to the right hooks player 0 when its centre is 0.9 off the line and passes
// it 1.5 off: as targets players are 2 wide, whatever their size.
TEST(RopegamePlay, AShotHooksAPlayerOnlyWithinOneOfItsLine) {
    for (auto [off, hooked] : {std::pair{0.9f, 1}, {1.5f, 0}}) {
        World w = rope_world({{10, off}, {0, 0}});
        w.players[0].radius = 3;
        w.players[1].button_down[0] = 1;
        FakeHost host;
        run(w, host);
        EXPECT_EQ(w.players[1].ropes[0].attached, hooked) << off;
    }
}

TEST(RopegameGround, PointsGiveWayGroundGripsIceDoesNotSpikesKill) {
    // Left of the line's first point, where the segment test does not reach, the ball pushes
    // the point by 0.05 of the overlap and moves 0.95 of it; the cap gives no grip.
    World w = rope_world({{-0.6f, 0.3f}});
    w.gravity_y = 0;
    w.light_x = w.light_y = 1000;
    w.level.ground = {gp(0, 0), gp(10, 0)};
    FakeHost host;
    run(w, host);
    const float overlap = 1 - std::sqrt(0.6f * 0.6f + 0.3f * 0.3f);
    const float d = std::sqrt(0.45f);
    EXPECT_NEAR(w.level.ground[0].x, 0.6f / d * 0.05f * overlap, 1e-6);
    EXPECT_NEAR(w.level.ground[0].y, -0.3f / d * 0.05f * overlap, 1e-6);
    EXPECT_NEAR(w.players[0].x, -0.6f - 0.6f / d * 0.95f * overlap, 1e-5);
    EXPECT_NEAR(w.players[0].y, 0.3f + 0.3f / d * 0.95f * overlap, 1e-5);
    EXPECT_EQ(w.players[0].in_contact, 0);

    w = rope_world({{0, -1}});
    w.level.ground = {gp(-60, -2), gp(60, -2)};
    ropegame::Player& p = w.players[0];
    run(w, host);
    EXPECT_EQ(p.in_contact, 1);
    EXPECT_FLOAT_EQ(p.contact_timer, 3);
    EXPECT_FLOAT_EQ(p.y, -1);
    w.level.ground[0].type = SURFACE_ICE;
    p.contact_timer = 5; // grip that would last a while yet
    run(w, host);
    EXPECT_EQ(p.in_contact, 0);              // ice: no grip at once
    EXPECT_FLOAT_EQ(p.contact_timer, 3);     // the touch itself still starts the timer
    w.level.ground[0].type = SURFACE_SPIKES; // spikes: back to the start
    p.x = p.prev_x = 20, p.y = p.prev_y = -1;
    run(w, host);
    EXPECT_FLOAT_EQ(p.x, 0);
    EXPECT_FLOAT_EQ(p.y, -1);

    float lx = 0, ly = 3; // the light, 5 wide, is put out of the ground whole
    collide_body_with_segment(gp(-60, 0), gp(60, 0), lx, ly, 5);
    EXPECT_FLOAT_EQ(ly, 5);
    w.player_count = 0; // nobody to follow: the camera stays
    w.camera_x = 7;
    follow_camera(w, 0.1f);
    EXPECT_FLOAT_EQ(w.camera_x, 7);
}

// Levels 1 to 3, each ending on a spike point: ropegame keeps the last point's own type.
struct TitleTest : ::testing::Test {
    TempDir dir{"ropegame_title"};
    FakeHost host;
    void SetUp() override {
        for (int n = 1; n <= 3; ++n) {
            LevelData level = flat_level({blob_at(float(10 * n), 0)});
            level.ground.push_back(gp(70, 0, SURFACE_SPIKES));
            dir.write_level(n, level);
        }
    }
};

TEST_F(TitleTest, ArmedClicksOfEitherPlayerStartPlay) {
    World w = start_in(dir, host, 2);
    player_mouse_input(w, 1, 0, 0, 0, true, false, false); // held since before the title
    run(w, host);
    EXPECT_FALSE(w.playing); // not armed yet: this step arms it (player 0's button is up)
    run(w, host);
    EXPECT_TRUE(w.playing); // player 1's click starts it, wherever the pointer is
    player_mouse_input(w, 1, 0, 0, 0, false, false, false);
    player_mouse_input(w, 0, 0, 0, 0, true, false, false);
    hold(w, 'M');
    run(w, host);
    EXPECT_FALSE(w.playing);
    run(w, host);
    EXPECT_TRUE(w.playing); // still armed: the held button starts play again at once
    EXPECT_FLOAT_EQ(w.time_taken, 0); // and the clock again
    start_game(w, host); // a new window: every key up again
    EXPECT_EQ(w.key_down[size_t('M')], 0);
}

// Level 3 down to "level 0", and level 20 finished: both have no name and end the game.
TEST_F(TitleTest, ZeroAndTogglesActOncePerPressAndLevelsWithoutANameEndTheGame) {
    World w = start_in(dir, host, 1, 2);
    const int keys[] = {KEY_0, 'F', 'T', 'G'};
    for (bool down : {true, false, true, false, true, false, true, false}) {
        for (int code : keys) // held since the start: acts only after a release
            hold(w, code, down);
        run(w, host);
    }
    EXPECT_FALSE(w.inflate_mode); // each toggled three times
    EXPECT_TRUE(w.trail_enabled);
    EXPECT_TRUE(w.camera_midpoint_mode);
    EXPECT_EQ(host.messages.at(0).first, "game complete");
    EXPECT_EQ(w.level_index, 0);
    EXPECT_FLOAT_EQ(w.level.blobs.at(0).x, 10);
    EXPECT_EQ(w.level.ground.back().type, SURFACE_SPIKES);

    w.level_index = 19;
    w.level.blobs.clear();
    w.playing = true;
    run(w, host); // no blobs: level 20 is finished, and there is no 21st name
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_TRUE(host.messages[1].second.ends_with("(thanks for playing ropegame)"));
    EXPECT_EQ(w.level_index, 0);
}

// Offsets held within 170 by 130 mouse units, a tenth of a unit each beside the ball; the
// wheel lengthens rope 1 while the third button is held.
TEST(RopegamePointers, OffsetsHeldInTheirRectangleAndTheWheelOnTheThirdButton) {
    World w = rope_world({{5, -1}});
    FakeHost host;
    player_mouse_input(w, 0, -900, 1000, -1, true, false, true); // mouse down: offset down
    EXPECT_EQ(w.players[0].button_down, (std::array<uint8_t, 3>{1, 0, 1}));
    w.players[0].ropes[1].segment_length = 1;
    run(w, host);
    EXPECT_FLOAT_EQ(w.players[0].ropes[1].segment_length, 1 - 0.06f);
    EXPECT_FLOAT_EQ(w.pointer_inputs[0].pointer_x - w.players[0].x, -17);
    EXPECT_FLOAT_EQ(w.pointer_inputs[0].pointer_y - w.players[0].y, -13);
    EXPECT_EQ(host.cursor_moves, 1);
}

} // namespace
