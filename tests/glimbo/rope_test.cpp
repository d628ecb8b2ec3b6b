#include "test_world.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Player 0 weightless, aiming straight up, first button pressed.
GameState aiming_up(std::vector<std::pair<float, float>> spots = {{0, 0}}) {
    GameState gs = play_world(spots);
    gs.gravity_y = 0;
    gs.players[0].pointer_y = gs.players[0].pointer_dy = 16;
    gs.players[0].button_down[0] = 1;
    return gs;
}

TEST(Rope, ShotAtGroundTenAwayAndWheel) {
    GameState gs = aiming_up();
    gs.level.ground = {gp(5, 10), gp(-5, 10)};
    FakeHost host;
    game_step(gs, host, 20);
    Player& p = gs.players[0];
    const Rope& rope = p.ropes[0];
    ASSERT_EQ(rope.attached, 1);
    EXPECT_EQ(host.count(Sample::grapple), 1);
    EXPECT_EQ(rope.anchor.kind, AnchorKind::own);
    EXPECT_NEAR(rope.anchor_y, 10, 1e-5);
    EXPECT_NEAR(rope.segment_length, 10.0f / 12, 1e-6);
    EXPECT_FLOAT_EQ(rope.node_weight, 2);
    EXPECT_NEAR(rope.nodes[5].y, 5, 1e-3); // node k at (k + 1)/12 from the anchor

    p.wheel = 10; // each link 0.6 longer
    game_step(gs, host, 20);
    EXPECT_NEAR(rope.segment_length, 10.0f / 12 + 0.6f, 1e-5);
    p.wheel = 100;
    game_step(gs, host, 20);
    game_step(gs, host, 20); // the next solve cuts it back
    EXPECT_FLOAT_EQ(rope.segment_length, 3.2f);
    p.button_down[2] = 1, p.ropes[1].segment_length = 1, p.wheel = -5;
    game_step(gs, host, 20);
    EXPECT_FLOAT_EQ(p.ropes[1].segment_length, 0.7f); // third button: rope 1

    p.button_down[0] = 0;
    game_step(gs, host, 20);
    EXPECT_EQ(rope.attached, 0);
}

// Under gravity a hooked ball settles at the rope's length below the hook, the rope straight.
TEST(Rope, HangingBallSettlesOnAStraightRope) {
    GameState gs = aiming_up();
    gs.level.ground = {gp(5, 10), gp(-5, 10)};
    FakeHost host;
    game_step(gs, host, 20);
    gs.gravity_y = -0.05f;
    for (int s = 0; s < 300; ++s)
        game_step(gs, host, 20);
    const Player& p = gs.players[0];
    ASSERT_EQ(p.ropes[0].attached, 1);
    EXPECT_NEAR(p.x, 0, 0.01);
    EXPECT_NEAR(p.y, 0, 0.3);
    for (const RopeNode& n : p.ropes[0].nodes) {
        EXPECT_NEAR(n.x, 0, 0.01);
        EXPECT_GT(n.y, p.y - 0.3);
        EXPECT_LT(n.y, 10.3);
    }
}

// Away from the origin: the aim point lies 30 out towards the pointer, and the rope hooks
// the ground where that line crosses it.
TEST(Rope, AimFollowsThePointerFromAnywhere) {
    GameState gs = play_world({{4, 10}});
    gs.gravity_y = 0;
    Player& p = gs.players[0];
    p.pointer_dx = 6, p.pointer_dy = 8; // the step puts the pointer at (10, 18)
    gs.level.ground = {gp(50, 18), gp(-50, 18)};
    FakeHost host;
    game_step(gs, host, 20);
    EXPECT_FLOAT_EQ(p.pointer_x, 10);
    EXPECT_FLOAT_EQ(p.pointer_y, 18);
    p.button_down[0] = 1;
    game_step(gs, host, 20);
    EXPECT_NEAR(p.aim_x, 22, 1e-3);
    EXPECT_NEAR(p.aim_y, 34, 1e-3);
    ASSERT_EQ(p.ropes[0].attached, 1);
    EXPECT_NEAR(p.ropes[0].anchor_x, 10, 1e-3);
    EXPECT_NEAR(p.ropes[0].segment_length, 10.0f / 12, 1e-5);
}

TEST(Rope, NearestTargetWins) {
    GameState gs = aiming_up({{0, 0}, {0, 8}}); // a player at 8 beats ground at 12
    gs.level.ground = {gp(5, 12), gp(-5, 12)};
    FakeHost host;
    game_step(gs, host, 20);
    const Rope& rope = gs.players[0].ropes[0];
    EXPECT_EQ(rope.anchor.kind, AnchorKind::player);
    EXPECT_EQ(rope.anchor.index, 1);
    EXPECT_NEAR(rope.segment_length, 8.0f / 12, 1e-6);
    EXPECT_FLOAT_EQ(rope.anchor_weight, 0.1f);

    gs = aiming_up(); // the nearer of two segments, whatever the index
    gs.level.ground = {gp(5, 20), gp(-5, 20), gp(-5, 10), gp(5, 10)};
    game_step(gs, host, 20);
    EXPECT_NEAR(gs.players[0].ropes[0].anchor_y, 10, 1e-5);

    gs = aiming_up(); // a sheep and a segment at the same distance: the sheep
    gs.flock_enabled = true;
    for (int s = 0; s < FLOCK_SIZE; ++s)
        gs.flock[size_t(s)] = {1000.0f + 3 * s, 1000, 1000.0f + 3 * s, 1000, 1};
    gs.flock[7] = {0, 10, 0, 10, 1};
    gs.level.ground = {gp(-1, 10), gp(1, 10)};
    game_step(gs, host, 20);
    EXPECT_EQ(gs.players[0].ropes[0].anchor.kind, AnchorKind::sheep);
    EXPECT_EQ(gs.players[0].ropes[0].anchor.index, 7);
    EXPECT_FLOAT_EQ(gs.players[0].ropes[0].node_weight, 0.4f);
}

TEST(Rope, ReachIsThirty) {
    for (float y : {30.5f, 29.5f}) {
        GameState gs = aiming_up();
        gs.level.ground = {gp(5, y), gp(-5, y)};
        FakeHost host;
        game_step(gs, host, 20);
        EXPECT_EQ(gs.players[0].ropes[0].attached, y < 30) << y;
        EXPECT_EQ(host.sounds.size(), y < 30 ? 1u : 0u);
    }
}

TEST(Rope, RigidPairMovesByEqualShares) {
    GameState gs = aiming_up({{0, 0}, {6, 8}});
    Player &a = gs.players[0], &b = gs.players[1];
    a.rigid_key = b.rigid_key = 'E';
    a.pointer_dx = a.pointer_x = 9.6f, a.pointer_dy = a.pointer_y = 12.8f;
    b.pointer_dx = -9.6f, b.pointer_dy = -12.8f, b.pointer_x = -3.6f, b.pointer_y = -4.8f;
    b.button_down[0] = 1;
    key_event(gs, 'E', true);
    FakeHost host;
    game_step(gs, host, 20);
    ASSERT_TRUE(a.ropes[0].attached && b.ropes[0].attached && a.ropes[0].rigid);
    EXPECT_FLOAT_EQ(a.ropes[0].node_weight, 1);
    EXPECT_FLOAT_EQ(a.ropes[0].anchor_weight, 1);
    // Player 0's rope 7.2 longer pushes both 1.8 apart along (0.6, 0.8); player 1's rope,
    // still 10, then pulls both back by a quarter of 3.6.
    a.ropes[0].segment_length += 0.6f;
    game_step(gs, host, 20);
    EXPECT_NEAR(a.x, -0.54f, 1e-4);
    EXPECT_NEAR(a.y, -0.72f, 1e-4);
    EXPECT_NEAR(b.x, 6.54f, 1e-4);
    EXPECT_NEAR(b.y, 8.72f, 1e-4);
}

} // namespace
