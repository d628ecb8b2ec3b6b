#include "glimbo/level_progress.h"

#include "glimbo/game.h"
#include "physics/keys.h"
#include "physics/level_core.h"

#include <cmath>

namespace {

void finish_level(GameState& gs, GameHost& host) {
    ++gs.level_index;
    reset_level(gs, host);
    play_sample(gs, host, Sample::complete);
}

} // namespace

bool run_blob_pass(GameState& gs, GameHost& host, int i, bool may_finish) {
    Player& p = gs.players[size_t(i)];
    float best = 1000;
    bool all_collected = true;
    gs.blobs_left = 0;
    for (size_t b = 0; b < gs.level.blobs.size(); ++b) {
        Blob& blob = gs.level.blobs[b];
        const float dx = blob.x - p.x, dy = blob.y - p.y;
        const float d = std::sqrt(dx * dx + dy * dy);
        if (d < best && blob.present) {
            p.nearest_blob = int32_t(b);
            best = d;
        }
        if (d < p.radius + 1) {
            if (blob.present)
                play_sample(gs, host, Sample::bing);
            blob.present = 0;
        }
        if (blob.present) {
            ++gs.blobs_left;
            all_collected = false;
        }
    }
    if (all_collected && may_finish) {
        finish_level(gs, host);
        return true;
    }
    return false;
}

std::string game_file_path(const GameState& gs, const std::string& name) {
    if (gs.files_dir.empty())
        return name;
    return gs.files_dir + "/" + name;
}

void load_level(GameState& gs, GameHost& host) {
    const std::string name = "levels/level" + std::to_string(int64_t(gs.level_index) + 1) + ".svg";
    const LevelReadResult result = read_level_file(*host.files, game_file_path(gs, name), gs.level,
                                                   {.copy_first_type_to_last = true});
    if (result.status != LevelReadStatus::ok) {
        level_not_read(gs, host, result, name, "glimbo", reset_level);
        return;
    }
    if (gs.level_index > gs.highest_level)
        gs.highest_level = gs.level_index;
}

void reset_level(GameState& gs, GameHost& host) {
    scatter_for_reset(gs);
    load_level(gs, host);

    place_players_for_reset(gs);
    for (int i = 0; i < gs.player_count; ++i)
        gs.players[size_t(i)].nearest_blob = 0;
    gs.playing = false;
}

bool point_in_menu_item(const GameState& gs, int item, float px, float py) {
    if (item < 0 || item >= MENU_ITEM_COUNT)
        return false;
    const MenuItem& m = gs.menu_items[size_t(item)];
    return m.x - m.half_width < px && px < m.x + m.half_width && m.y - m.half_height < py &&
           py < m.y + m.half_height;
}

namespace {

void menu_item_action(GameState& gs, GameHost& host, int item) {
    switch (item) {
    case 0: // play
        gs.playing = true;
        gs.time_taken = 0;
        break;
    case 1: // exit
        host.request_quit();
        break;
    case 2: // back 1 level
        if (gs.level_index > 0) {
            --gs.level_index;
            reset_level(gs, host);
        }
        break;
    case 3: // restart level
        reset_level(gs, host);
        break;
    case 4: // next level
        if (gs.level_index < gs.highest_level) {
            ++gs.level_index;
            reset_level(gs, host);
        }
        break;
    case 5: // change controls
        gs.binding_mode = true;
        gs.binding_player = 0;
        gs.binding_step = -1;
        break;
    case 6: // single player
        gs.player_count = 1;
        break;
    case 7: // save game
        quick_save(gs, host);
        break;
    case 8: // load game
        quick_load(gs, host);
        break;
    default:
        break;
    }
}

void menu_keys(GameState& gs, GameHost& host) {
    const bool shift = key_held(gs, KEY_SHIFT);
    auto held = [&](int code) { return key_held(gs, code); };

    if (held(KEY_ENTER))
        gs.player_count = 1;

    // Shift + 9 advances once per press but reloads the level on every step it is held.
    if (shift && held(KEY_9)) {
        if (gs.latches.shift_9)
            ++gs.level_index;
        gs.latches.shift_9 = false;
        reset_level(gs, host);
    } else {
        gs.latches.shift_9 = true;
    }

    once_per_press(shift && held(KEY_0), gs.latches.shift_0, [&] {
        if (gs.level_index > 0) {
            --gs.level_index;
            reset_level(gs, host);
        }
    });
    once_per_press(shift && held(key_letter('F')), gs.latches.shift_f,
                   [&] { gs.inflate_mode = !gs.inflate_mode; });
    once_per_press(held(key_letter('T')), gs.latches.t,
                   [&] { gs.trail_enabled = !gs.trail_enabled; });
    once_per_press(held(key_letter('L')), gs.latches.l,
                   [&] { gs.flock_enabled = !gs.flock_enabled; });
    once_per_press(held(key_letter('J')), gs.latches.j,
                   [&] { gs.soft_collisions = !gs.soft_collisions; });
    once_per_press(held(key_letter('B')), gs.latches.b,
                   [&] { gs.background_enabled = !gs.background_enabled; });
}

} // namespace

void menu_step(GameState& gs, GameHost& host) {
    if (gs.played_last_step)
        gs.menu_armed = false;
    gs.played_last_step = false;

    if (gs.binding_mode)
        return;

    // The menu is driven by player 0; a world without player records has no pointer.
    if (gs.players.empty()) {
        menu_keys(gs, host);
        return;
    }
    Player& p0 = gs.players[0];
    if (p0.button_down[0] && gs.menu_armed) {
        for (int item = 0; item < MENU_ITEM_COUNT; ++item) {
            if (point_in_menu_item(gs, item, p0.pointer_dx, p0.pointer_dy)) {
                menu_item_action(gs, host, item);
                break;
            }
        }
    }
    if (gs.players[0].button_down[0] == 0)
        gs.menu_armed = true;

    menu_keys(gs, host);
}
