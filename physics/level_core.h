// Level reset and the handling of a level file that could not be read, over any world
// with the game's fields (`time_taken`, `camera_x/y`, `trail`, `trail_head`, `flock`,
// `level`, `level_index`, `players`, `player_count`, `playing`). Both games use them; each
// supplies its own way of naming and loading a level.
#pragma once

#include "physics/game_host.h"
#include "physics/collision.h"
#include "physics/world_parts.h"

#include <vector>
#include "level/level_file.h"
#include "platform/random.h"

#include <string>

// The text of the box shown after the last level, thanking the player for playing `game`.
std::string game_complete_text(const std::string& game);

constexpr float CAMERA_SCATTER = 0.030518509f;  // 0..32767 onto 0..1000
constexpr float FLOCK_SCATTER = 0.00030518509f; // 0..32767 onto 0..10

// The first steps of a level reset: clock, a random camera start, the trail, the flock.
template <class World> void scatter_for_reset(World& w) {
    w.time_taken = 0;
    w.camera_x = float(random_next()) * CAMERA_SCATTER - 500;
    w.camera_y = float(random_next()) * CAMERA_SCATTER - 500;

    w.trail_head = 0;
    for (TrailPuff& puff : w.trail) {
        puff.alive = 0;
        puff.life = 0;
    }

    for (Sheep& s : w.flock) {
        s.x = s.prev_x = float(random_next()) * FLOCK_SCATTER;
        s.y = s.prev_y = float(random_next()) * FLOCK_SCATTER;
        s.radius = 1;
    }
}

// Puts the simulated players side by side at rest with their ropes let go. Contact,
// timer, aim and rope lengths keep their values.
template <class World> void place_players_for_reset(World& w) {
    for (int i = 0; i < w.player_count; ++i) {
        auto& p = w.players[size_t(i)];
        p.button_down = {0, 0, 0};
        p.x = p.prev_x = 2.0f * float(i);
        p.y = p.prev_y = -1;
        p.radius = 1;
        p.ropes[0].attached = 0;
        p.ropes[1].attached = 0;
        p.button_ready = {1, 1, 1};
        p.roll_held = 0;
    }
}

// What follows a level read that failed. A missing file past the first level ends the
// game (the game-complete box, then level 1 again through `reset`); a missing first level
// shows the "error" box and asks to quit. A damaged file (the reader left the level as it
// was) is named in an "error" box and treated like a missing one, without claiming that
// the game was completed. `game` is the program's name for the game-complete text.
template <class World, class Reset>
void level_not_read(World& w, GameHost& host, const LevelReadResult& result,
                    const std::string& name, const std::string& game, Reset reset) {
    const bool damaged = result.status == LevelReadStatus::damaged;
    if (damaged)
        host.show_message("error", name + " is damaged: " + result.error, MessageIcon::stop);
    if (w.level_index != 0) {
        if (!damaged)
            host.show_message("game complete", game_complete_text(game), MessageIcon::information);
        w.level_index = 0;
        reset(w, host);
    } else {
        if (!damaged)
            host.show_message("error", "you need a level1.svg file", MessageIcon::stop);
        host.request_quit();
    }
}
