#include "game/keys.h"
#include "test_world.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Player 0 at the origin aiming straight up, weightless, first button pressed.
GameState aiming_up(std::vector<std::pair<float, float>> spots = {{0, 0}}) {
    GameState gs = play_world(spots);
    gs.gravity_y = 0;
    gs.players[0].pointer_y = gs.players[0].pointer_dy = 16;
    gs.players[0].button_down[0] = 1;
    return gs;
}

TEST(Rope, ShotAtGroundTenAway) {
    GameState gs = aiming_up();
    gs.level.ground = {gp(5, 10), gp(-5, 10)};
    FakeHost host;
    game_step(gs, host, 20);
    const Rope& rope = gs.players[0].ropes[0];
    ASSERT_EQ(rope.attached, 1);
    EXPECT_EQ(host.count(Sample::grapple), 1);
    EXPECT_EQ(rope.anchor.kind, AnchorKind::own);
    EXPECT_NEAR(rope.anchor_y, 10, 1e-5);
    EXPECT_NEAR(rope.hit_distance, 10, 1e-5);
    EXPECT_NEAR(rope.segment_length, 10.0f / 12, 1e-6);
    EXPECT_FLOAT_EQ(rope.node_weight, 2);
    EXPECT_FLOAT_EQ(rope.anchor_weight, 0);
    // Node k starts at (k + 1)/12 of the way from the anchor to the ball.
    EXPECT_NEAR(rope.nodes[5].y, 10 - 10 * 6.0f / 12, 1e-3);

    // With gravity the ball hangs about one rope length below the hook.
    gs.gravity_y = -0.05f;
    for (int s = 0; s < 300; ++s)
        game_step(gs, host, 20);
    const Player& p = gs.players[0];
    EXPECT_NEAR(std::hypot(p.x, p.y - 10), 10, 0.5);
    EXPECT_LT(p.y, 0.5f);
    EXPECT_EQ(host.count(Sample::grapple), 1); // fired once per press

    gs.players[0].button_down[0] = 0; // release detaches on the next step
    game_step(gs, host, 20);
    EXPECT_EQ(rope.attached, 0);
    EXPECT_EQ(gs.players[0].button_ready[0], 1);
}

TEST(Rope, NearestTargetWins) {
    // A player at 8 beats a segment at 12.
    GameState gs = aiming_up({{0, 0}, {0, 8}});
    gs.level.ground = {gp(5, 12), gp(-5, 12)};
    FakeHost host;
    game_step(gs, host, 20);
    const Rope& rope = gs.players[0].ropes[0];
    ASSERT_EQ(rope.attached, 1);
    EXPECT_EQ(rope.anchor.kind, AnchorKind::player);
    EXPECT_EQ(rope.anchor.index, 1);
    EXPECT_NEAR(rope.segment_length, 8.0f / 12, 1e-6);
    EXPECT_FLOAT_EQ(rope.node_weight, 1.9f);
    EXPECT_FLOAT_EQ(rope.anchor_weight, 0.1f);

    // Of two segments the nearer one, whatever its index.
    gs = aiming_up();
    gs.level.ground = {gp(5, 20), gp(-5, 20), gp(-5, 10), gp(5, 10)};
    game_step(gs, host, 20);
    EXPECT_NEAR(gs.players[0].ropes[0].anchor_y, 10, 1e-5);

    // A sheep and a segment at exactly the same distance: the sheep, tested first.
    gs = aiming_up();
    gs.flock_enabled = true;
    for (int s = 0; s < FLOCK_SIZE; ++s)
        gs.flock[size_t(s)] = {1000.0f + 3 * s, 1000, 1000.0f + 3 * s, 1000, 1};
    gs.flock[7] = {0, 10, 0, 10, 1};
    gs.level.ground = {gp(-1, 10), gp(1, 10)};
    game_step(gs, host, 20);
    EXPECT_EQ(gs.players[0].ropes[0].anchor.kind, AnchorKind::sheep);
    EXPECT_EQ(gs.players[0].ropes[0].anchor.index, 7);
    EXPECT_FLOAT_EQ(gs.players[0].ropes[0].node_weight, 0.4f);
    EXPECT_FLOAT_EQ(gs.players[0].ropes[0].anchor_weight, 0.01f);
}

TEST(Rope, ReachIsThirty) {
    GameState gs = aiming_up();
    gs.level.ground = {gp(5, 30.5f), gp(-5, 30.5f)};
    FakeHost host;
    game_step(gs, host, 20);
    EXPECT_EQ(gs.players[0].ropes[0].attached, 0);
    EXPECT_TRUE(host.sounds.empty());
    // Held on: no second shot until the button goes up and down again.
    gs.level.ground = {gp(5, 29.5f), gp(-5, 29.5f)};
    game_step(gs, host, 20);
    EXPECT_EQ(gs.players[0].ropes[0].attached, 0);
    gs.players[0].button_down[0] = 0;
    game_step(gs, host, 20);
    gs.players[0].button_down[0] = 1;
    game_step(gs, host, 20);
    EXPECT_EQ(gs.players[0].ropes[0].attached, 1);
}

TEST(Rope, WheelLengthensLinksAndSolveClamps) {
    GameState gs = aiming_up();
    gs.level.ground = {gp(5, 10), gp(-5, 10)};
    FakeHost host;
    game_step(gs, host, 20);
    Player& p = gs.players[0];
    p.wheel = 10;
    game_step(gs, host, 20);
    EXPECT_NEAR(p.ropes[0].segment_length, 10.0f / 12 + 0.6f, 1e-5);
    p.wheel = 100;
    game_step(gs, host, 20);
    EXPECT_NEAR(p.ropes[0].segment_length, 10.0f / 12 + 6.6f, 1e-5);
    game_step(gs, host, 20);
    EXPECT_FLOAT_EQ(p.ropes[0].segment_length, 3.2f);
    // With the third button held the wheel works on rope 1.
    p.button_down[2] = 1;
    p.ropes[1].segment_length = 1;
    p.wheel = -5;
    game_step(gs, host, 20);
    EXPECT_FLOAT_EQ(p.ropes[0].segment_length, 3.2f);
    EXPECT_FLOAT_EQ(p.ropes[1].segment_length, 0.7f);
}

TEST(Rope, RigidPairMovesByEqualShares) {
    GameState gs = aiming_up({{0, 0}, {0, 10}});
    Player& a = gs.players[0];
    Player& b = gs.players[1];
    a.rigid_key = b.rigid_key = key_letter('E');
    b.pointer_dy = -16; // player 1 aims down at player 0
    b.pointer_y = 10 - 16;
    b.button_down[0] = 1;
    key_event(gs, key_letter('E'), true);
    FakeHost host;
    game_step(gs, host, 20);
    ASSERT_EQ(a.ropes[0].attached, 1);
    ASSERT_EQ(b.ropes[0].attached, 1);
    EXPECT_EQ(a.ropes[0].rigid, 1);
    EXPECT_FLOAT_EQ(a.ropes[0].node_weight, 1);
    EXPECT_FLOAT_EQ(a.ropes[0].anchor_weight, 1);
    EXPECT_EQ(b.ropes[0].anchor.index, 0);
    EXPECT_NEAR(a.y, 0, 1e-5);
    EXPECT_NEAR(b.y, 10, 1e-5);

    // Lengthen player 0's rope by 7.2: it pushes both by 1.8; player 1's rope, still 10
    // long, then pulls both back by a quarter of 3.6.
    a.ropes[0].segment_length += 0.6f;
    game_step(gs, host, 20);
    EXPECT_NEAR(a.y, -0.9f, 1e-4);
    EXPECT_NEAR(b.y, 10.9f, 1e-4);
}

} // namespace
