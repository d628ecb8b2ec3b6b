// Pieces of the play step that both games run on their own player records: ball motion
// and size, rolling, respawn, aim, wheel, contact timer, the light, the player pairs and
// the frame-rate bookkeeping. A record needs x, y, prev_x, prev_y, radius, aim_x, aim_y,
// contact_timer, in_contact, ropes, button_down and roll_held.
#pragma once

#include "level/level_file.h"
#include "physics/collision.h"
#include "physics/world_parts.h"

#include <vector>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

constexpr float VELOCITY_LIMIT = 5;
constexpr float SIZE_STEP = 0.05f;
constexpr float AIM_FACTOR = 0.033333335f;       // 1/30: the aim point lies 30 units out
constexpr float POINTER_GRAVITY = 0.0016666667f; // gravity of 0.05 towards the pointer
constexpr float WHEEL_STEP = 0.06f;              // link length per wheel notch

// Per-step frame rate into the history (newest first) and the mean of the history.
void update_frame_rate(std::array<float, FRAME_RATE_HISTORY>& history, float& frame_rate,
                       uint32_t elapsed_ms);

// The ball's size for this step. Returns true when the jump key just inflated a ball
// that was smaller than 1.9 (the moment a jump sound fits).
bool resize_ball(float& radius, float half_speed, bool jump_held, bool inflate_mode);

// Velocity limit, size and Verlet integration of one ball. Returns what resize_ball does.
template <class P>
bool advance_ball(P& p, float gravity_x, float gravity_y, bool jump_held, bool inflate_mode) {
    const float vx = std::clamp(p.x - p.prev_x, -VELOCITY_LIMIT, VELOCITY_LIMIT);
    const float vy = std::clamp(p.y - p.prev_y, -VELOCITY_LIMIT, VELOCITY_LIMIT);
    const bool inflated =
        resize_ball(p.radius, 0.5f * std::sqrt(vx * vx + vy * vy), jump_held, inflate_mode);
    p.prev_x = p.x;
    p.prev_y = p.y;
    p.x += gravity_x + vx;
    p.y += gravity_y + vy;
    return inflated;
}

// While `held`, pulls the ball towards its aim point by rate k (one for grip, one in air).
template <class P> void roll_towards_aim(P& p, bool held, float k_grip, float k_air) {
    p.roll_held = held ? 1 : 0;
    if (!p.roll_held)
        return;
    const float k = p.in_contact ? k_grip : k_air;
    p.x += (p.aim_x - p.x) * k;
    p.y += (p.aim_y - p.y) * k;
}

// Verlet step of an attached rope's nodes (no velocity limit).
void integrate_rope_nodes(Rope& rope, float gravity_x, float gravity_y);

// Back to (0, -1) at rest with both ropes let go.
template <class P> void respawn(P& p) {
    p.x = p.prev_x = 0;
    p.y = p.prev_y = -1;
    p.ropes[0].attached = 0;
    p.ropes[1].attached = 0;
}

// Offset of length 30 from the centre towards the pointer. A pointer on the centre gives
// no direction: the offset is then zero.
struct AimOffset {
    float dx = 0, dy = 0;
};
AimOffset aim_offset(float pointer_x, float pointer_y, float x, float y);

// Wheel notches lengthen rope 0, or rope 1 while the third button is held.
template <class P> void apply_wheel(P& p, float wheel) {
    if (p.button_down[2] == 0)
        p.ropes[0].segment_length += wheel * WHEEL_STEP;
    else
        p.ropes[1].segment_length += wheel * WHEEL_STEP;
}

// Grip lasts while the timer runs; at zero it lapses.
template <class P> void count_down_contact(P& p) {
    if (p.contact_timer >= 1) {
        p.contact_timer -= 1;
    } else {
        p.in_contact = 0;
        p.contact_timer = 0;
    }
}

// The moving light eases a tenth of the way towards a ball.
inline void ease_light(float& light_x, float& light_y, float x, float y) {
    light_x -= (light_x - x) * 0.1f;
    light_y -= (light_y - y) * 0.1f;
}

// The end of a ball's move, after its ropes: the wheel, a respawn once it fell below -300,
// the contact timer, and the light easing towards it.
template <class P> void settle_ball(P& p, float wheel, float& light_x, float& light_y) {
    apply_wheel(p, wheel);
    if (p.y < -300)
        respawn(p);
    count_down_contact(p);
    ease_light(light_x, light_y, p.x, p.y);
}

// Touching balls push each other apart; balls farther apart than 30 are pulled together.
template <class P> void push_pairs(std::vector<P>& players, int count) {
    for (int i = 0; i < count; ++i) {
        for (int j = i + 1; j < count; ++j) {
            P& a = players[size_t(i)];
            P& b = players[size_t(j)];
            const float r = a.radius + b.radius;
            const float dx = a.x - b.x, dy = a.y - b.y;
            const float d2 = dx * dx + dy * dy;
            const float d = std::sqrt(d2);
            float q;
            if (d2 < r * r)
                q = (r - d) * 0.46f;
            else if (d2 > 900)
                q = (30 - d) * 0.01f;
            else
                continue;
            // Balls on the same centre have no direction to push along.
            if (d == 0)
                continue;
            a.x += dx * q / d;
            a.y += dy * q / d;
            b.x -= dx * q / d;
            b.y -= dy * q / d;
        }
    }
}

// Runs pass(i, may_finish) for players 0 .. count - 1. A pass that finished the level
// (returned true) makes the loop go on with player 1 on the fresh level. A second finish
// in the same step is not allowed: with two or more players and levels without blobs it
// would otherwise loop for ever.
template <class Pass> void run_second_passes(const int& count, Pass pass) {
    bool finished = false;
    for (int i = 0; i < count; ++i) {
        if (pass(i, !finished)) {
            finished = true;
            i = 0;
        }
    }
}
