// The ropegame step and the operations around it.
#pragma once

#include "physics/game_host.h"
#include "ropegame/world.h"

#include <cstdint>

namespace ropegame {

// The one sound: the rope hooking, always on channel 0.
constexpr Sample ROPE_SOUND = Sample::grapple;
constexpr int ROPE_SOUND_CHANNEL = 0;

// Rolling rates of players 0 and 1: just below 0.002 on grip (bit pattern 0x3B03126E) and
// just below 0.001 in the air (0x3A83126E).
constexpr float ROLL_RATE_GRIP = 0.00199999986f;
constexpr float ROLL_RATE_AIR = 0.000999999931f;

constexpr float POINTER_LIMIT_X = 170; // mouse units each side of the ball
constexpr float POINTER_LIMIT_Y = 130;
constexpr float POINTER_SCALE = 0.1f; // world units per mouse unit

// Frame-rate bookkeeping, then the title step (not playing at entry) or the play step,
// then the pointers and the wheels.
void game_step(World& w, GameHost& host, uint32_t elapsed_ms);

// The title screen: start keys, level choice and the toggles.
void title_step(World& w, GameHost& host);

// One play step.
void play_step(World& w, GameHost& host, uint32_t elapsed_ms);

// The ball against one segment (hard, Ctrl grip allowed). When the body touched the
// segment, whatever its surface: `hit` is set and the contact timer starts at 3; the
// surface is the caller's business.
void collide_player_with_segment(const GroundPoint& a, const GroundPoint& b, float& x, float& y,
                                 float r, bool& hit, Player& p, bool ctrl_held);

// A body without grip or flags (the light, a sheep) against one segment, placed as hard
// as a ball.
void collide_body_with_segment(const GroundPoint& a, const GroundPoint& b, float& x, float& y,
                               float r);

// Ground point `g` and a round body push each other apart: the body by 0.95 of the
// overlap, the point by 0.05 the other way.
void push_ground_point(GroundPoint& g, float& x, float& y, float r);

// The pickup pass of player i; true when it finished the level (which reset it).
bool blob_pass(World& w, GameHost& host, int i, bool may_finish);

// Moves the camera by `rate` towards the players' mean, taken in whole numbers. With no
// players the camera stays where it is.
void follow_camera(World& w, float rate);

// Puts the system cursor back at the screen centre, limits each pointer offset and
// places each pointer beside its ball.
void update_pointers(World& w, GameHost& host);

// One mouse's poll for player i: motion into the offsets, the wheel, the three buttons.
void player_mouse_input(World& w, int i, int32_t x, int32_t y, int32_t wheel, bool left, bool right,
                        bool middle);

// Loads the level named for `level_index`; an index without a name or a file that cannot
// be read is handled as a missing level.
void load_level(World& w, GameHost& host);

// Clock, camera, trail, flock, level, players; always ends on the title screen.
void reset_level(World& w, GameHost& host);

// What every window (re)build does to the world: the level names, every key up, and the
// level loaded afresh and reset.
void start_game(World& w, GameHost& host);

} // namespace ropegame
