// The play step of ropegame: the shared ball, rope and flock pieces in glimbo's order, with
// ropegame's keys, rolling, ground handling, pickups and camera.
#include "physics/ball_core.h"
#include "physics/flock_core.h"
#include "physics/keys.h"
#include "physics/rope_core.h"
#include "ropegame/sim.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace ropegame {
namespace {

constexpr float ZOOM_STEP = 0.1f;

bool held(const World& w, char letter) {
    return key_held(w, key_letter(letter));
}

// Players 0 and 1 roll with Q and O, player 1 first, before the first pass. Their records
// exist even when they are spares.
void roll_first_two(World& w) {
    const std::pair<int, char> rollers[] = {{1, 'O'}, {0, 'Q'}};
    for (auto [i, key] : rollers) {
        if (i < int(w.players.size()))
            roll_towards_aim(w.players[size_t(i)], held(w, key), ROLL_RATE_GRIP, ROLL_RATE_AIR);
    }
}

void first_pass(World& w, Player& p) {
    advance_ball(p, w.gravity_x, w.gravity_y, key_held(w, KEY_SPACE), w.inflate_mode);
    integrate_rope_nodes(p.ropes[0], w.gravity_x, w.gravity_y);
    integrate_rope_nodes(p.ropes[1], w.gravity_x, w.gravity_y);
}

void fire(World& w, GameHost& host, int i, int r) {
    const ShotRules rules{.rigid = key_held(w, KEY_SHIFT), .unit_player_width = true};
    if (fire_rope_with(w, i, r, rules))
        host.play_sample(ROPE_SOUND, ROPE_SOUND_CHANNEL);
}

void collide_with_ground(World& w, Player& p) {
    auto& ground = w.level.ground;
    const bool ctrl = key_held(w, KEY_CTRL);
    for (size_t k = 0; k + 1 < ground.size(); ++k) {
        bool hit = false;
        collide_player_with_segment(ground[k], ground[k + 1], p.x, p.y, p.radius, hit, p, ctrl);
        collide_body_with_segment(ground[k], ground[k + 1], w.light_x, w.light_y, 5);
        if (hit) {
            switch (ground[k].type) {
            case SURFACE_GROUND:
                p.in_contact = 1;
                p.contact_timer = 3;
                break;
            case SURFACE_ICE:
                p.in_contact = 0;
                break;
            case SURFACE_SPIKES:
                respawn(p);
                break;
            default:
                break;
            }
        }
        push_ground_point(ground[k], p.x, p.y, p.radius);
        push_ground_point(ground[k], w.light_x, w.light_y, 5);
    }
}

bool second_pass(World& w, GameHost& host, int i, bool may_finish) {
    Player& p = w.players[size_t(i)];
    PointerInput& in = w.pointer_inputs[size_t(i)];

    const AimOffset d = aim_offset(in.pointer_x, in.pointer_y, p.x, p.y);
    if (held(w, 'H')) {
        w.gravity_x = d.dx * POINTER_GRAVITY;
        w.gravity_y = d.dy * POINTER_GRAVITY;
    }
    if (held(w, 'J')) {
        w.gravity_x = 0;
        w.gravity_y = -0.05f;
    }
    p.aim_x = p.x + d.dx;
    p.aim_y = p.y + d.dy;

    for (int r = 0; r < 2; ++r)
        rope_step_with(w, i, r, [&] { fire(w, host, i, r); });

    settle_ball(p, in.wheel, w.light_x, w.light_y);

    collide_with_ground(w, p);

    return blob_pass(w, host, i, may_finish);
}

// x added to an integer sum and truncated toward zero. Values beyond the integer range
// (and NaN) would make the conversion undefined; they are held at the range's ends.
int32_t add_truncated(int32_t sum, float x) {
    const float v = float(sum) + x;
    if (std::isnan(v))
        return sum;
    if (v >= 2147483520.0f) // the largest float below 2^31
        return std::numeric_limits<int32_t>::max();
    if (v <= -2147483648.0f)
        return std::numeric_limits<int32_t>::min();
    return int32_t(v);
}

} // namespace

void play_step(World& w, GameHost& host, uint32_t elapsed_ms) {
    w.time_taken += float(elapsed_ms);

    if (held(w, 'M'))
        w.playing = false;
    if (held(w, 'I'))
        w.camera_distance -= ZOOM_STEP;
    if (held(w, 'K'))
        w.camera_distance += ZOOM_STEP;

    roll_first_two(w);

    for (int i = 0; i < w.player_count; ++i)
        first_pass(w, w.players[size_t(i)]);

    run_second_passes(w.player_count,
                      [&](int i, bool may_finish) { return second_pass(w, host, i, may_finish); });

    push_pairs(w.players, w.player_count);
    if (w.flock_enabled)
        flock_step_in(w, CollisionSettings{.soft_collisions = false, .ctrl_held = false});
    follow_camera(w, held(w, 'C') ? 0.01f : 0.1f);
}

bool blob_pass(World& w, GameHost& host, int i, bool may_finish) {
    const Player& p = w.players[size_t(i)];
    w.blobs_left = 0;
    bool all_collected = true;
    for (Blob& blob : w.level.blobs) {
        const float dx = blob.x - p.x, dy = blob.y - p.y;
        if (std::sqrt(dx * dx + dy * dy) < p.radius + 1)
            blob.present = 0;
        if (blob.present == 1) {
            ++w.blobs_left;
            all_collected = false;
        }
    }
    if (!all_collected || !may_finish)
        return false;
    ++w.level_index;
    reset_level(w, host);
    return true;
}

void follow_camera(World& w, float rate) {
    // With nobody to follow the mean has no meaning: the camera stays where it is.
    if (w.player_count <= 0)
        return;
    int32_t sx = 0, sy = 0;
    for (int i = 0; i < w.player_count; ++i) {
        sx = add_truncated(sx, w.players[size_t(i)].x);
        sy = add_truncated(sy, w.players[size_t(i)].y);
    }
    const int32_t mx = sx / w.player_count, my = sy / w.player_count;
    w.camera_x -= (w.camera_x - float(mx)) * rate;
    w.camera_y -= (w.camera_y - float(my)) * rate;
}

void game_step(World& w, GameHost& host, uint32_t elapsed_ms) {
    // Only allocated records can be simulated, whatever the count was set to.
    const int records = int(std::min(w.players.size(), w.pointer_inputs.size()));
    w.player_count = std::clamp(w.player_count, 0, records);
    update_frame_rate(w.frame_rate_history, w.frame_rate, elapsed_ms);
    if (w.playing)
        play_step(w, host, elapsed_ms);
    else
        title_step(w, host);

    update_pointers(w, host);
    for (int i = 0; i < w.player_count; ++i)
        w.pointer_inputs[size_t(i)].wheel = 0;
}

} // namespace ropegame
