#include "physics/ball_core.h"

void update_frame_rate(std::array<float, FRAME_RATE_HISTORY>& history, float& frame_rate,
                       uint32_t elapsed_ms) {
    // A zero interval would put an infinity into the history for 100 steps; count it as 1 ms.
    const float rate = 1000.0f / float(std::max<uint32_t>(elapsed_ms, 1));
    std::copy_backward(history.begin(), history.end() - 1, history.end());
    history[0] = rate;
    float sum = 0;
    for (float v : history)
        sum += v;
    frame_rate = sum / float(FRAME_RATE_HISTORY);
}

bool resize_ball(float& radius, float half_speed, bool jump_held, bool inflate_mode) {
    bool inflated = false;
    if (inflate_mode) {
        if (radius < half_speed) {
            radius = half_speed;
        } else if (jump_held && radius <= 2) {
            inflated = radius < 1.9f;
            if (radius < 2)
                radius = 2;
        } else if (radius > 1) {
            radius -= SIZE_STEP;
        }
    } else {
        if (radius < half_speed) {
            radius = half_speed;
        } else if (jump_held || radius > 1.5f) {
            if (radius > 0.5f)
                radius -= SIZE_STEP;
        } else if (radius < 1.5f) {
            radius = 1.5f;
        }
    }
    return inflated;
}

void integrate_rope_nodes(Rope& rope, float gravity_x, float gravity_y) {
    if (!rope.attached)
        return;
    for (RopeNode& n : rope.nodes) {
        const float vx = n.x - n.prev_x, vy = n.y - n.prev_y;
        n.prev_x = n.x;
        n.prev_y = n.y;
        n.x += gravity_x + vx;
        n.y += gravity_y + vy;
    }
}

AimOffset aim_offset(float pointer_x, float pointer_y, float x, float y) {
    AimOffset d{pointer_x - x, pointer_y - y};
    const float len = std::sqrt(d.dx * d.dx + d.dy * d.dy);
    if (len > 0) {
        const float s = 1.0f / (len * AIM_FACTOR);
        d.dx *= s;
        d.dy *= s;
    } else {
        d.dx = d.dy = 0;
    }
    return d;
}
