// The grapple rope over any world that has the game's fields: `players` (records with a
// centre, previous centre, radius, aim point, ropes and button flags), `player_count`,
// `flock`, `flock_enabled` and `level.ground`. Both games use it; what differs between
// them is chosen by the caller through ShotRules and through what it does on a hook.
#pragma once

#include "physics/collision.h"
#include "level/level_file.h"
#include "physics/world_parts.h"

#include <vector>

#include <cmath>

// How one shot behaves, decided by the game at the moment of firing.
struct ShotRules {
    bool rigid = false; // the rope becomes one rigid rod instead of a chain
    // Other players are hooked across a width of 1 on each side of their centre (like a
    // sheep) instead of across their radius.
    bool unit_player_width = false;
};

namespace rope_detail {

constexpr float ONE_TWELFTH = 0.083333336f;
constexpr float MIN_LINK = 0.08f;
constexpr float MAX_LINK = 3.2f;
constexpr int CHAIN_ITERATIONS = 50;

struct Weights {
    float node, anchor;
};

// The x and y that the rope pulls at its far end; false when the reference names nothing.
template <class World> bool anchored_point(World& w, Rope& rope, float*& ax, float*& ay) {
    switch (rope.anchor.kind) {
    case AnchorKind::own:
        ax = &rope.anchor_x;
        ay = &rope.anchor_y;
        return true;
    case AnchorKind::sheep:
        if (rope.anchor.index < 0 || rope.anchor.index >= FLOCK_SIZE)
            return false;
        ax = &w.flock[size_t(rope.anchor.index)].x;
        ay = &w.flock[size_t(rope.anchor.index)].y;
        return true;
    case AnchorKind::player:
        if (rope.anchor.index < 0 || rope.anchor.index >= int(w.players.size()))
            return false;
        ax = &w.players[size_t(rope.anchor.index)].x;
        ay = &w.players[size_t(rope.anchor.index)].y;
        return true;
    }
    return false;
}

// One link correction: both ends move along the link by their shares of half the error.
// A link of zero length has no direction and is left for this pass.
inline void solve_link(float& ax, float& ay, float& bx, float& by, float length, float a_share,
                       float b_share) {
    const float dx = ax - bx, dy = ay - by;
    const float d = std::sqrt(dx * dx + dy * dy);
    if (d == 0)
        return;
    const float cx = dx * (length - d) * 0.5f / d;
    const float cy = dy * (length - d) * 0.5f / d;
    ax += cx * a_share;
    ay += cy * a_share;
    bx -= cx * b_share;
    by -= cy * b_share;
}

} // namespace rope_detail

// Fires rope r of player i from the ball centre towards its aim point: hooks the nearest
// sheep (while the flock runs), ground segment or other player that the shot crosses and
// lays out the nodes. Returns true when something was hooked (the caller plays its sound).
template <class World> bool fire_rope_with(World& w, int i, int r, const ShotRules& rules) {
    using namespace rope_detail;
    auto& p = w.players[size_t(i)];
    Rope& rope = p.ropes[size_t(r)];
    const float cx = p.x, cy = p.y;
    const float ax = p.aim_x, ay = p.aim_y;

    rope.rigid = rules.rigid ? 1 : 0;
    rope.segment_length = 100;
    rope.attached = 0;

    // Records every crossing; accepts it when strictly nearer than the best so far.
    auto try_hit = [&](float x3, float y3, float x4, float y4) {
        const SegmentParams q = segment_intersection(cx, cy, ax, ay, x3, y3, x4, y4);
        if (!params_in_unit_range(q))
            return false;
        const float hx = cx + q.t * (ax - cx), hy = cy + q.t * (ay - cy);
        const float ex = hx - cx, ey = hy - cy;
        rope.hit_x = hx;
        rope.hit_y = hy;
        rope.hit_distance = std::sqrt(ex * ex + ey * ey);
        if (rope.hit_distance < rope.segment_length) {
            rope.attached = 1;
            rope.segment_length = rope.hit_distance;
            return true;
        }
        return false;
    };
    auto set_weights = [&](Weights chain, Weights rigid) {
        const Weights wt = rope.rigid ? rigid : chain;
        rope.node_weight = wt.node;
        rope.anchor_weight = wt.anchor;
    };
    // Cross-section of a round target, across the line of sight, of the given half-length.
    // A target centred exactly on the ball has no line of sight and is skipped.
    auto try_round_target = [&](float tx, float ty, float half) {
        const float ex = tx - cx, ey = ty - cy;
        const float len = std::sqrt(ex * ex + ey * ey);
        if (len == 0)
            return false;
        const float mx = ey / len * half, my = -ex / len * half;
        return try_hit(tx + mx, ty + my, tx - mx, ty - my);
    };

    if (w.flock_enabled) {
        for (int s = 0; s < FLOCK_SIZE; ++s) {
            const Sheep& sheep = w.flock[size_t(s)];
            if (try_round_target(sheep.x, sheep.y, 1.0f)) {
                rope.anchor = {AnchorKind::sheep, s};
                rope.anchor_x = sheep.x;
                rope.anchor_y = sheep.y;
                set_weights({0.4f, 0.01f}, {0.6f, 1.4f});
            }
        }
    }
    const auto& ground = w.level.ground;
    for (size_t k = 0; k + 1 < ground.size(); ++k) {
        if (try_hit(ground[k].x, ground[k].y, ground[k + 1].x, ground[k + 1].y)) {
            rope.anchor_x = rope.hit_x;
            rope.anchor_y = rope.hit_y;
            rope.anchor = {AnchorKind::own, 0};
            rope.node_weight = 2;
            rope.anchor_weight = 0;
        }
    }
    for (int j = 0; j < w.player_count; ++j) {
        if (j == i)
            continue;
        const auto& other = w.players[size_t(j)];
        const float half = rules.unit_player_width ? 1.0f : other.radius;
        if (try_round_target(other.x, other.y, half)) {
            rope.anchor = {AnchorKind::player, j};
            rope.anchor_x = other.x;
            rope.anchor_y = other.y;
            set_weights({1.9f, 0.1f}, {1.0f, 1.0f});
        }
    }

    // Nodes evenly between anchor and ball, each with its share of the ball's velocity.
    for (int k = 0; k < ROPE_NODE_COUNT; ++k) {
        const float f = float(k + 1) * ONE_TWELFTH;
        RopeNode& n = rope.nodes[size_t(k)];
        n.x = rope.anchor_x + (cx - rope.anchor_x) * f;
        n.y = rope.anchor_y + (cy - rope.anchor_y) * f;
        n.prev_x = n.x - (cx - p.prev_x) * f;
        n.prev_y = n.y - (cy - p.prev_y) * f;
    }
    rope.segment_length *= ONE_TWELFTH;
    return rope.attached != 0;
}

// Solves rope r of player i once (50 chain passes or one rigid correction).
template <class World> void solve_rope_in(World& w, int i, int r) {
    using namespace rope_detail;
    auto& p = w.players[size_t(i)];
    Rope& rope = p.ropes[size_t(r)];

    if (rope.segment_length < MIN_LINK)
        rope.segment_length = MIN_LINK;
    if (rope.segment_length > MAX_LINK)
        rope.segment_length = MAX_LINK;
    const float length = rope.segment_length;

    float* ax = nullptr;
    float* ay = nullptr;
    // A reference that names nothing (possible only from a damaged save) cannot pull.
    if (!anchored_point(w, rope, ax, ay)) {
        rope.attached = 0;
        return;
    }

    if (rope.rigid) {
        const float dx = *ax - p.x, dy = *ay - p.y;
        const float d = std::sqrt(dx * dx + dy * dy);
        if (d == 0) // anchor on the ball centre: no direction to push along
            return;
        const float cx = dx * (12.0f * length - d) * 0.25f / d;
        const float cy = dy * (12.0f * length - d) * 0.25f / d;
        *ax += cx * rope.anchor_weight;
        *ay += cy * rope.anchor_weight;
        p.x -= cx * rope.node_weight;
        p.y -= cy * rope.node_weight;
        return;
    }

    auto& nodes = rope.nodes;
    for (int pass = 0; pass < CHAIN_ITERATIONS; ++pass) {
        solve_link(*ax, *ay, nodes[0].x, nodes[0].y, length, rope.anchor_weight, rope.node_weight);
        for (int k = 0; k + 1 < ROPE_NODE_COUNT; ++k)
            solve_link(nodes[size_t(k)].x, nodes[size_t(k)].y, nodes[size_t(k) + 1].x,
                       nodes[size_t(k) + 1].y, length, 1.0f, 1.0f);
        solve_link(nodes[10].x, nodes[10].y, p.x, p.y, length, 1.9f, 0.1f);
    }
}

// One step of rope r of player i: `fire()` on a fresh press of button r, solve while it is
// held, release when it is up.
template <class World, class Fire> void rope_step_with(World& w, int i, int r, Fire fire) {
    auto& p = w.players[size_t(i)];
    Rope& rope = p.ropes[size_t(r)];
    if (p.button_down[size_t(r)]) {
        if (p.button_ready[size_t(r)])
            fire();
        p.button_ready[size_t(r)] = 0;
        if (rope.attached)
            solve_rope_in(w, i, r);
    } else {
        rope.attached = 0;
        p.button_ready[size_t(r)] = 1;
    }
}
