#include "glimbo/rope.h"
#include "test_world.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>

namespace {

// Player 0 weightless, aiming straight up, first button pressed.
GameState aiming_up(std::vector<std::pair<float, float>> spots = {{0, 0}}) {
    GameState gs = play_world(spots);
    gs.gravity_y = 0;
    gs.players[0].pointer_y = gs.players[0].pointer_dy = 16;
    gs.players[0].aim_y = 30;
    gs.players[0].button_down[0] = 1;
    return gs;
}

// From (4, 10) with the pointer (6, 8) away, the aim lies 30 out at (22, 34) and the rope
// hooks the ground 10 away at (10, 18); the wheel then lengthens the links.
TEST(Rope, ShotTowardsThePointerAndWheel) {
    GameState gs = play_world({{4, 10}});
    gs.gravity_y = 0;
    Player& p = gs.players[0];
    p.pointer_dx = 6, p.pointer_dy = 8;
    gs.level.ground = {gp(50, 18), gp(-50, 18)};
    FakeHost host;
    game_step(gs, host, 20); // the pointer is now at (10, 18)
    p.button_down[0] = 1;
    game_step(gs, host, 20);
    EXPECT_NEAR(p.aim_x, 22, 1e-3);
    EXPECT_NEAR(p.aim_y, 34, 1e-3);
    const Rope& rope = p.ropes[0];
    ASSERT_EQ(rope.attached, 1);
    EXPECT_NEAR(rope.anchor_x, 10, 1e-4);
    EXPECT_NEAR(rope.anchor_y, 18, 1e-4);
    EXPECT_NEAR(rope.segment_length, 10.0f / 12, 1e-5);
    EXPECT_NEAR(rope.nodes[5].x, 7, 1e-3); // node k at (k + 1)/12 from the anchor
    EXPECT_NEAR(rope.nodes[5].y, 14, 1e-3);

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

    p.button_down[0] = 0, p.button_down[1] = 1; // the second button: rope 1
    game_step(gs, host, 20);
    EXPECT_EQ(rope.attached, 0);
    EXPECT_EQ(p.ropes[1].attached, 1);
}

// Under gravity a hooked ball settles at the rope's length below the hook, the rope straight.
// The second button's rope swings exactly as the first's on the way.
TEST(Rope, HangingBallSettlesOnAStraightRope) {
    std::vector<float> on_the_way[2];
    for (size_t r : {0u, 1u}) {
        GameState gs = aiming_up();
        std::swap(gs.players[0].button_down[0], gs.players[0].button_down[r]);
        gs.level.ground = {gp(5, 10), gp(-5, 10)};
        FakeHost host;
        game_step(gs, host, 20);
        gs.gravity_y = -0.05f;
        for (int s = 0; s < 300; ++s) {
            game_step(gs, host, 20);
            on_the_way[r].push_back(gs.players[0].ropes[r].nodes[5].y);
        }
        const Player& p = gs.players[0];
        ASSERT_EQ(p.ropes[r].attached, 1);
        EXPECT_NEAR(p.x, 0, 0.01);
        EXPECT_NEAR(p.y, 0, 0.3);
        for (const RopeNode& n : p.ropes[r].nodes) {
            EXPECT_NEAR(n.x, 0, 0.01);
            EXPECT_GT(n.y, p.y - 0.3);
            EXPECT_LT(n.y, 10.3);
        }
    }
    EXPECT_EQ(on_the_way[0], on_the_way[1]);
}

// Shots straight up hook the nearest target within 30 (a sheep before a segment as near),
// with the link weights of its kind. Length 0: nothing hooked.
TEST(Rope, NearestTargetWithinThirty) {
    const struct {
        float other_y; // the other player, at (0, other_y)
        std::vector<GroundPoint> ground;
        bool flock; // with a sheep at (0, 10)
        AnchorKind kind;
        int index;
        float length, node_weight, anchor_weight;
    } shots[] = {
        {8, {gp(5, 12), gp(-5, 12)}, false, AnchorKind::player, 1, 8, 1.9f, 0.1f},
        {-50, {gp(5, 20), gp(-5, 20), gp(-5, 10), gp(5, 10)}, false, AnchorKind::own, 0, 10, 2, 0},
        {-50, {gp(-1, 10), gp(1, 10)}, true, AnchorKind::sheep, 0, 10, 0.4f, 0.01f},
        {-50, {gp(5, 29.5f), gp(-5, 29.5f)}, false, AnchorKind::own, 0, 29.5f, 2, 0},
        {-50, {gp(5, 30.5f), gp(-5, 30.5f)}, false, AnchorKind::own, 0, 0, 0, 0},
    };
    for (const auto& s : shots) {
        GameState gs = aiming_up({{0, 0}, {0, s.other_y}});
        gs.level.ground = s.ground;
        gs.flock_enabled = s.flock; // the other sheep, on the ball's centre, are no target
        gs.flock[0] = {0, 10, 0, 10, 1};
        FakeHost host;
        game_step(gs, host, 20);
        const Rope& rope = gs.players[0].ropes[0];
        EXPECT_EQ(rope.attached, s.length > 0) << s.length;
        EXPECT_EQ(host.count(Sample::grapple), s.length > 0) << s.length;
        if (s.length == 0)
            continue;
        EXPECT_EQ(rope.anchor.kind, s.kind) << s.length;
        EXPECT_EQ(rope.anchor.index, s.index) << s.length;
        EXPECT_NEAR(rope.segment_length * 12, s.length, 1e-4) << s.length;
        EXPECT_FLOAT_EQ(rope.node_weight, s.node_weight) << s.length;
        EXPECT_FLOAT_EQ(rope.anchor_weight, s.anchor_weight) << s.length;
    }
}

// A rigid rod fired at a target centred at (0.75, 1) hooks its cross-section at 1.5625 up,
// but the centre is 1.25 away: the rod pushes the two apart by a quarter of the 0.3125
// shortfall along (0.6, 0.8), that is (0.046875, 0.0625), times each end's weight.
TEST(Rope, RigidRodPushesEachEndByItsWeight) {
    const struct {
        bool sheep;
        float ball, target;
    } cases[] = {{true, 0.6f, 1.4f}, {false, 1, 1}};
    for (const auto& c : cases) {
        GameState gs = aiming_up({{0, 0}, {c.sheep ? 50.0f : 0.75f, 1}});
        gs.flock_enabled = c.sheep;
        gs.flock[7] = {0.75f, 1, 0.75f, 1, 1};
        gs.players[1].radius = 0.95f; // the hit is 0.9375 off its centre
        Player& p = gs.players[0];
        p.rigid_key = 'E';
        key_event(gs, 'E', true);
        FakeHost host;
        rope_step(gs, host, 0, 0);
        const Rope& rope = p.ropes[0];
        ASSERT_TRUE(rope.attached && rope.rigid) << c.sheep;
        EXPECT_FLOAT_EQ(rope.node_weight, c.ball);
        EXPECT_FLOAT_EQ(rope.anchor_weight, c.target);
        EXPECT_NEAR(p.x, -0.046875f * c.ball, 1e-5) << c.sheep;
        EXPECT_NEAR(p.y, -0.0625f * c.ball, 1e-5) << c.sheep;
        const float tx = c.sheep ? gs.flock[7].x : gs.players[1].x;
        const float ty = c.sheep ? gs.flock[7].y : gs.players[1].y;
        EXPECT_NEAR(tx, 0.75f + 0.046875f * c.target, 1e-5) << c.sheep;
        EXPECT_NEAR(ty, 1 + 0.0625f * c.target, 1e-5) << c.sheep;
    }
    GameState lone = aiming_up({{0, 0}, {0, 8}});
    lone.player_count = 1; // the spare record 8 up is neither a target nor followed
    FakeHost host;
    game_step(lone, host, 20);
    EXPECT_TRUE(lone.players[0].ropes[0].attached == 0 && lone.camera_y == 0);
}

} // namespace
