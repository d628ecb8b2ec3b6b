#include "physics/keys.h"
#include "rope_world.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

using namespace ropegame;

namespace {

TEST(RopegameCamera, IntegerMeanOfThePlayers) {
    World w = rope_world({{0.9f, -0.9f}, {2.9f, -2.9f}});
    w.camera_x = 11, w.camera_y = -5;
    follow_camera(w, 1); // 0 + 0.9 -> 0, 0 + 2.9 -> 2, 2 / 2 = 1; the same toward zero below
    EXPECT_FLOAT_EQ(w.camera_x, 1);
    EXPECT_FLOAT_EQ(w.camera_y, -1);
    w.camera_x = 11;
    follow_camera(w, 0.1f);
    EXPECT_FLOAT_EQ(w.camera_x, 10);

    w.player_count = 0; // no mouse: the camera stays
    follow_camera(w, 0.1f);
    EXPECT_FLOAT_EQ(w.camera_x, 10);
    w.player_count = 1;
    w.players[0].x = 1e30f; // far beyond the integer range: held at its end, no overflow
    follow_camera(w, 0);
    EXPECT_FLOAT_EQ(w.camera_x, 10);
}

TEST(RopegameGround, PointsGiveWayATwentiethOfTheOverlap) {
    GroundPoint g = gp(0, 0);
    float x = 0.5f, y = 0;
    push_ground_point(g, x, y, 1); // overlap 0.5
    EXPECT_FLOAT_EQ(x, 0.975f);
    EXPECT_FLOAT_EQ(g.x, -0.025f);
    EXPECT_FLOAT_EQ(g.y, 0);
    x = g.x, y = g.y; // on the point: no direction, nothing moves
    push_ground_point(g, x, y, 1);
    EXPECT_FLOAT_EQ(x, -0.025f);

    // In a step, left of the line's first point where the segment test does not reach.
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
    EXPECT_EQ(w.players[0].in_contact, 0); // the cap gives no grip
}

TEST(RopegameGround, ContactLastsThreeStepsAndIceClearsIt) {
    World w = rope_world({{0, -1}});
    w.level.ground = {gp(-60, -2), gp(60, -2)};
    FakeHost host;
    run(w, host);
    ropegame::Player& p = w.players[0];
    EXPECT_EQ(p.in_contact, 1);
    EXPECT_FLOAT_EQ(p.contact_timer, 3);
    EXPECT_FLOAT_EQ(p.y, -1);

    p.y = p.prev_y = 50; // off the ground, hanging still
    w.gravity_y = 0;
    for (int s = 0; s < 3; ++s) {
        run(w, host);
        EXPECT_EQ(p.in_contact, 1) << "step " << s;
    }
    run(w, host);
    EXPECT_EQ(p.in_contact, 0);

    w.level.ground = {gp(-60, -2, SURFACE_ICE), gp(60, -2)};
    p.y = p.prev_y = -1;
    p.in_contact = 1, p.contact_timer = 3;
    run(w, host);
    EXPECT_EQ(p.in_contact, 0);              // ice: no grip at once
    EXPECT_FLOAT_EQ(p.contact_timer, 3);     // the touch itself still starts the timer
    w.level.ground[0].type = SURFACE_SPIKES; // spikes: back to the start
    p.x = p.prev_x = 20, p.y = p.prev_y = -1;
    run(w, host);
    EXPECT_FLOAT_EQ(p.x, 0);
    EXPECT_FLOAT_EQ(p.y, -1);
}

TEST(RopegameRolling, OnlyPlayersZeroAndOneWithQAndO) {
    World w = rope_world({{0, 0}, {10, 0}, {20, 0}});
    w.gravity_y = 0;
    for (ropegame::Player& p : w.players)
        p.aim_x = p.x + 30, p.aim_y = p.y;
    w.players[1].in_contact = 1, w.players[1].contact_timer = 5;
    FakeHost host;
    hold(w, 'Q'), hold(w, 'O'), hold(w, 'E'), hold(w, 'W');
    run(w, host);
    // Rolled before the first pass, so the pull also becomes this step's velocity.
    EXPECT_FLOAT_EQ(w.players[0].x, 2 * 30 * 0.001f);
    EXPECT_FLOAT_EQ(w.players[1].x, 10 + 2 * 30 * 0.002f);
    EXPECT_FLOAT_EQ(w.players[2].x, 20);
    EXPECT_EQ(w.players[2].roll_held, 0);

    hold(w, 'Q', false);
    const float x0 = w.players[0].x;
    run(w, host); // only O: player 0 keeps its speed and no more
    EXPECT_FLOAT_EQ(w.players[0].x, x0 + 30 * 0.001f);
    EXPECT_EQ(w.players[0].roll_held, 0);
    EXPECT_EQ(w.players[1].roll_held, 1);

    World one = rope_world({{0, 0}}); // player 1 is a spare record, and still rolls
    one.players[1].aim_x = 30;
    hold(one, 'O');
    run(one, host);
    EXPECT_FLOAT_EQ(one.players[1].x, 30 * 0.001f); // not simulated: no integration
}

TEST(RopegameRopes, PlainSecondButtonNarrowPlayersAndOneSound) {
    World w = rope_world({{0, 0}, {10, 2}});
    w.gravity_y = 0;
    w.players[1].radius = 3; // crossed at 2 units off the aim line: within 3, not within 1
    FakeHost host;
    ropegame::Player& p = w.players[0];
    player_mouse_input(w, 0, 0, 0, 0, false, true, false);
    run(w, host);
    EXPECT_EQ(p.ropes[1].attached, 0);
    EXPECT_TRUE(host.sounds.empty());

    w.players[1].x = w.players[1].prev_x = -10; // out of the way
    w.level.ground = {gp(8, -10), gp(8, 10)};   // a wall 8 to the right, open side to the left
    player_mouse_input(w, 0, 0, 0, 0, false, false, false);
    run(w, host);
    hold(w, KEY_SHIFT);
    player_mouse_input(w, 0, 0, 0, 0, false, true, false);
    run(w, host);
    ASSERT_EQ(p.ropes[1].attached, 1);
    EXPECT_EQ(p.ropes[1].rigid, 1); // Shift at the moment of firing
    EXPECT_EQ(host.sounds, (std::vector<std::pair<Sample, int>>{{ROPE_SOUND, 0}}));
    player_mouse_input(w, 0, 0, 0, 0, false, true, false); // still held: stays
    run(w, host, 3);
    EXPECT_EQ(p.ropes[1].attached, 1);
    player_mouse_input(w, 0, 0, 0, 0, false, false, false); // released: lets go
    run(w, host);
    EXPECT_EQ(p.ropes[1].attached, 0);
    EXPECT_EQ(host.sounds.size(), 1u);
}

TEST(RopegameBlobs, SilentPickupsAndPresentMeansOne) {
    World w = rope_world({{0, 0}});
    FakeHost host;
    w.level.blobs = {blob_at(2, 0), blob_at(0, 1.9f), blob_at(9, 9), blob_at(20, 0)};
    w.level.blobs[3].present = 2; // not 1: neither counted nor blocking the finish
    EXPECT_FALSE(blob_pass(w, host, 0, true));
    EXPECT_EQ(w.level.blobs[0].present, 1); // exactly radius + 1 away
    EXPECT_EQ(w.level.blobs[1].present, 0);
    EXPECT_EQ(w.blobs_left, 2);
    EXPECT_TRUE(host.sounds.empty());
}

TEST(RopegameLevels, LastLevelAndMissingOrDamagedFiles) {
    TempDir dir("ropegame_levels");
    FakeHost host;
    World w = start_in(dir, host); // no level1.svg: the error box and a quit request
    EXPECT_EQ(host.messages.at(0),
              std::make_pair(std::string("error"), std::string("you need a level1.svg file")));
    EXPECT_EQ(host.quit_requests, 1);

    LevelData first = flat_level({blob_at(30, 0)});
    first.ground.push_back(gp(70, 0, SURFACE_SPIKES)); // the last type is kept as stored
    dir.write_level(1, first);
    dir.write_level(20, flat_level({}));
    host = FakeHost{};
    w = start_in(dir, host, 2, 19);
    EXPECT_EQ(w.level.blobs.size(), 0u);
    w.playing = true;
    run(w, host); // no blobs: level 20 is finished, and there is no 21st name
    EXPECT_EQ(host.messages.at(0).first, "game complete");
    EXPECT_TRUE(host.messages[0].second.ends_with("(thanks for playing ropegame)"));
    EXPECT_EQ(host.icons[0], MessageIcon::information);
    EXPECT_EQ(w.level_index, 0);
    EXPECT_EQ(w.level.blobs.size(), 1u);
    EXPECT_EQ(w.level.ground.back().type, SURFACE_SPIKES);
    EXPECT_FALSE(w.playing);
    EXPECT_TRUE(host.sounds.empty());

    dir.write_level(2, flat_level({blob_at(40, 0), blob_at(50, 0)}));
    w.playing = true;
    w.level.blobs = {blob_at(0.5f, -1)}; // the last blob, within reach of player 0
    run(w, host);
    EXPECT_EQ(w.level_index, 1); // the next level, on the title screen, silently
    EXPECT_EQ(w.level.blobs.size(), 2u);
    EXPECT_FALSE(w.playing);
    EXPECT_EQ(host.messages.size(), 1u);
    EXPECT_TRUE(host.sounds.empty());

    std::ofstream(dir.path / "levels" / "level2.svg") << "not a level";
    host = FakeHost{};
    w.level_index = 1;
    reset_level(w, host); // named, back to level 1, never reported as completed
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].second.find("levels/level2.svg"), std::string::npos);
    EXPECT_EQ(w.level_index, 0);
    EXPECT_EQ(w.level.blobs.size(), 1u);
}

} // namespace
