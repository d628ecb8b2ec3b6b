#include "game/collision.h"
#include "game/flock.h"
#include "game/game.h"
#include "game/keys.h"
#include "game/level_progress.h"
#include "game/rope.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float VELOCITY_LIMIT = 5;
constexpr float SIZE_STEP = 0.05f;
constexpr float ROLL_RATE_GRIP = 0.0016666667f;
constexpr float ROLL_RATE_AIR = 0.000999999931f; // bit pattern 0x3A83126E
constexpr float AIM_FACTOR = 0.033333335f;       // 1/30
constexpr float ZOOM_STEP = 0.3f;
constexpr float POINTER_REACH = 16;

void update_frame_rate(GameState& gs, uint32_t elapsed_ms) {
    // A zero interval would put an infinity into the history for 100 steps; count it as 1 ms.
    const float rate = 1000.0f / float(std::max<uint32_t>(elapsed_ms, 1));
    auto& h = gs.frame_rate_history;
    std::copy_backward(h.begin(), h.end() - 1, h.end());
    h[0] = rate;
    float sum = 0;
    for (float v : h)
        sum += v;
    gs.frame_rate = sum / float(FRAME_RATE_HISTORY);
}

void respawn(Player& p) {
    p.x = p.prev_x = 0;
    p.y = p.prev_y = -1;
    p.ropes[0].attached = 0;
    p.ropes[1].attached = 0;
}

void resize_ball(GameState& gs, GameHost& host, Player& p, float half_speed) {
    const bool jump_held = key_held(gs, p.jump_key);
    if (gs.inflate_mode) {
        if (p.radius < half_speed) {
            p.radius = half_speed;
        } else if (jump_held && p.radius <= 2) {
            if (p.radius < 1.9f)
                play_sample(gs, host, Sample::jump);
            if (p.radius < 2)
                p.radius = 2;
        } else if (p.radius > 1) {
            p.radius -= SIZE_STEP;
        }
    } else {
        if (p.radius < half_speed) {
            p.radius = half_speed;
        } else if (jump_held || p.radius > 1.5f) {
            if (p.radius > 0.5f)
                p.radius -= SIZE_STEP;
        } else if (p.radius < 1.5f) {
            p.radius = 1.5f;
        }
    }
}

void integrate_rope_nodes(GameState& gs, Rope& rope) {
    if (!rope.attached)
        return;
    for (RopeNode& n : rope.nodes) {
        const float vx = n.x - n.prev_x, vy = n.y - n.prev_y;
        n.prev_x = n.x;
        n.prev_y = n.y;
        n.x += gs.gravity_x + vx;
        n.y += gs.gravity_y + vy;
    }
}

void first_pass(GameState& gs, GameHost& host, Player& p) {
    if (!p.was_in_contact && p.in_contact)
        play_sample(gs, host, Sample::thunk);
    p.was_in_contact = p.in_contact;

    const float vx = std::clamp(p.x - p.prev_x, -VELOCITY_LIMIT, VELOCITY_LIMIT);
    const float vy = std::clamp(p.y - p.prev_y, -VELOCITY_LIMIT, VELOCITY_LIMIT);
    resize_ball(gs, host, p, 0.5f * std::sqrt(vx * vx + vy * vy));

    p.prev_x = p.x;
    p.prev_y = p.y;
    p.x += gs.gravity_x + vx;
    p.y += gs.gravity_y + vy;

    p.roll_held = key_held(gs, p.roll_key) ? 1 : 0;
    if (p.roll_held) {
        const float k = p.in_contact ? ROLL_RATE_GRIP : ROLL_RATE_AIR;
        p.x += (p.aim_x - p.x) * k;
        p.y += (p.aim_y - p.y) * k;
    }

    integrate_rope_nodes(gs, p.ropes[0]);
    integrate_rope_nodes(gs, p.ropes[1]);
}

// Ball, light and ground point caps against every segment in index order.
void collide_with_ground(GameState& gs, Player& p) {
    const auto& ground = gs.level.ground;
    const CollisionSettings settings{gs.soft_collisions, key_held(gs, KEY_CTRL)};
    const float cap_share = 0.5f - 0.2f * (gs.soft_collisions ? 1.0f : 0.0f);
    for (size_t k = 0; k + 1 < ground.size(); ++k) {
        bool light_contact = false, light_death = false;
        collide_with_segment(ground[k], ground[k + 1], gs.light_x, gs.light_y, 5, light_contact,
                             SOFT_SURFACE, false, light_death, settings);

        bool contact = false, death = false;
        collide_with_segment(ground[k], ground[k + 1], p.x, p.y, p.radius, contact, ground[k].type,
                             true, death, settings);
        if (contact)
            p.in_contact = 1;
        if (death)
            respawn(p);

        // Round cap of ground point k. A centre exactly on the point has no direction.
        const float gx = ground[k].x, gy = ground[k].y;
        {
            const float dx = p.x - gx, dy = p.y - gy;
            const float d2 = dx * dx + dy * dy;
            if (d2 < p.radius * p.radius && d2 > 0) {
                const float d = std::sqrt(d2);
                const float move = 2.0f * (p.radius - d) * cap_share;
                p.x += dx / d * move;
                p.y += dy / d * move;
            }
        }
        {
            const float dx = gs.light_x - gx, dy = gs.light_y - gy;
            const float d2 = dx * dx + dy * dy;
            if (d2 < p.radius * p.radius && d2 > 0) {
                const float d = std::sqrt(d2);
                const float move = 2.0f * (5.0f - d) * 0.5f;
                gs.light_x += dx / d * move;
                gs.light_y += dy / d * move;
            }
        }
    }
}

// Returns true when this player's blob pass finished the level.
bool second_pass(GameState& gs, GameHost& host, int i, bool may_finish) {
    Player& p = gs.players[size_t(i)];

    float dx = p.pointer_x - p.x, dy = p.pointer_y - p.y;
    const float len = std::sqrt(dx * dx + dy * dy);
    // A pointer on the centre gives no direction: the aim collapses onto the centre.
    if (len > 0) {
        const float s = 1.0f / (len * AIM_FACTOR);
        dx *= s;
        dy *= s;
    } else {
        dx = dy = 0;
    }
    if (key_held(gs, key_letter('H')) && key_held(gs, KEY_SHIFT)) {
        gs.gravity_x = dx * ROLL_RATE_GRIP;
        gs.gravity_y = dy * ROLL_RATE_GRIP;
    }
    if (key_held(gs, key_letter('J'))) {
        gs.gravity_x = 0;
        gs.gravity_y = -0.05f;
    }
    p.aim_x = p.x + dx;
    p.aim_y = p.y + dy;

    rope_step(gs, host, i, 0);
    rope_step(gs, host, i, 1);

    if (p.button_down[2] == 0)
        p.ropes[0].segment_length += p.wheel * 0.06f;
    else
        p.ropes[1].segment_length += p.wheel * 0.06f;

    if (p.y < -300)
        respawn(p);

    if (p.contact_timer >= 1) {
        p.contact_timer -= 1;
    } else {
        p.in_contact = 0;
        p.contact_timer = 0;
    }

    gs.light_x -= (gs.light_x - p.x) * 0.1f;
    gs.light_y -= (gs.light_y - p.y) * 0.1f;

    collide_with_ground(gs, p);

    return run_blob_pass(gs, host, i, may_finish);
}

void push_pairs(GameState& gs) {
    for (int i = 0; i < gs.player_count; ++i) {
        for (int j = i + 1; j < gs.player_count; ++j) {
            Player& a = gs.players[size_t(i)];
            Player& b = gs.players[size_t(j)];
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

void play_step(GameState& gs, GameHost& host, uint32_t elapsed_ms) {
    gs.time_taken += float(elapsed_ms);
    gs.played_last_step = true;

    if (key_held(gs, key_letter('M')))
        gs.playing = false;
    if (key_held(gs, key_letter('I')) && key_held(gs, KEY_SHIFT))
        gs.camera_distance -= ZOOM_STEP;
    if (key_held(gs, key_letter('K')) && key_held(gs, KEY_SHIFT))
        gs.camera_distance += ZOOM_STEP;

    for (int i = 0; i < gs.player_count; ++i)
        first_pass(gs, host, gs.players[size_t(i)]);

    // A finished level restarts this pass at player 1 on the fresh level. A second finish in
    // the same step is not allowed: with two or more players and levels without blobs it
    // would otherwise loop for ever.
    bool finished = false;
    for (int i = 0; i < gs.player_count; ++i) {
        if (second_pass(gs, host, i, !finished)) {
            finished = true;
            i = 0;
        }
    }

    push_pairs(gs);
    if (gs.flock_enabled)
        flock_step(gs);
    follow_camera(gs, key_held(gs, key_letter('C')) ? 0.01f : 0.1f);
}

} // namespace

void play_sample(GameState& gs, GameHost& host, Sample sample) {
    host.play_sample(sample, gs.sound_channel);
    ++gs.sound_channel;
}

void follow_camera(GameState& gs, float rate) {
    // With nobody to follow the camera stays where it is.
    if (gs.player_count <= 0)
        return;
    float sx = 0, sy = 0;
    for (int i = 0; i < gs.player_count; ++i) {
        sx += gs.players[size_t(i)].x;
        sy += gs.players[size_t(i)].y;
    }
    const float mx = sx / float(gs.player_count), my = sy / float(gs.player_count);
    gs.camera_x -= (gs.camera_x - mx) * rate;
    gs.camera_y -= (gs.camera_y - my) * rate;
}

void update_pointers(GameState& gs, GameHost& host) {
    host.set_cursor_position(host.screen_center_x, host.screen_center_y);
    for (int i = 0; i < gs.player_count; ++i) {
        Player& p = gs.players[size_t(i)];
        const float len = std::sqrt(p.pointer_dx * p.pointer_dx + p.pointer_dy * p.pointer_dy);
        if (len > POINTER_REACH) {
            p.pointer_dx = p.pointer_dx / len * POINTER_REACH;
            p.pointer_dy = p.pointer_dy / len * POINTER_REACH;
        }
        p.pointer_x = p.x + p.pointer_dx;
        p.pointer_y = p.y + p.pointer_dy;
    }
}

void game_step(GameState& gs, GameHost& host, uint32_t elapsed_ms) {
    // Only allocated records can be simulated, whatever the count was set to.
    gs.player_count = std::clamp(gs.player_count, 0, int(gs.players.size()));
    update_frame_rate(gs, elapsed_ms);
    if (gs.playing)
        play_step(gs, host, elapsed_ms);
    else
        menu_step(gs, host);

    update_pointers(gs, host);
    for (int i = 0; i < gs.player_count; ++i)
        gs.players[size_t(i)].wheel = 0;
    if (gs.sound_channel > 16)
        gs.sound_channel = 0;
}
