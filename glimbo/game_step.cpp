#include "physics/ball_core.h"
#include "physics/collision.h"
#include "glimbo/flock.h"
#include "glimbo/game.h"
#include "physics/keys.h"
#include "glimbo/level_progress.h"
#include "glimbo/rope.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float ROLL_RATE_GRIP = 0.0016666667f;
constexpr float ROLL_RATE_AIR = 0.000999999931f; // bit pattern 0x3A83126E
constexpr float ZOOM_STEP = 0.3f;
constexpr float POINTER_REACH = 16;

void first_pass(GameState& gs, GameHost& host, Player& p) {
    if (!p.was_in_contact && p.in_contact)
        play_sample(gs, host, Sample::thunk);
    p.was_in_contact = p.in_contact;

    if (advance_ball(p, gs.gravity_x, gs.gravity_y, key_held(gs, p.jump_key), gs.inflate_mode))
        play_sample(gs, host, Sample::jump);

    roll_towards_aim(p, key_held(gs, p.roll_key), ROLL_RATE_GRIP, ROLL_RATE_AIR);

    integrate_rope_nodes(p.ropes[0], gs.gravity_x, gs.gravity_y);
    integrate_rope_nodes(p.ropes[1], gs.gravity_x, gs.gravity_y);
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

    const AimOffset d = aim_offset(p.pointer_x, p.pointer_y, p.x, p.y);
    if (key_held(gs, key_letter('H')) && key_held(gs, KEY_SHIFT)) {
        gs.gravity_x = d.dx * POINTER_GRAVITY;
        gs.gravity_y = d.dy * POINTER_GRAVITY;
    }
    if (key_held(gs, key_letter('J'))) {
        gs.gravity_x = 0;
        gs.gravity_y = -0.05f;
    }
    p.aim_x = p.x + d.dx;
    p.aim_y = p.y + d.dy;

    rope_step(gs, host, i, 0);
    rope_step(gs, host, i, 1);

    settle_ball(p, p.wheel, gs.light_x, gs.light_y);

    collide_with_ground(gs, p);

    return run_blob_pass(gs, host, i, may_finish);
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

    run_second_passes(gs.player_count,
                      [&](int i, bool may_finish) { return second_pass(gs, host, i, may_finish); });

    push_pairs(gs.players, gs.player_count);
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
    update_frame_rate(gs.frame_rate_history, gs.frame_rate, elapsed_ms);
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
