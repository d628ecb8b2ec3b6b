// The world of the game: player records, the loaded level, the flock and the game-wide
// values. One GameState is owned by the program and passed by reference everywhere, so a
// test can build as many independent worlds as it likes.
#pragma once

#include "physics/collision.h"
#include "physics/world_parts.h"
#include "level/level_file.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

constexpr int MENU_ITEM_COUNT = 9;

// One player; the quick save stores it as a fixed 768-byte image (player_image.h).
struct Player {
    float x = 0, y = 0;
    float prev_x = 0, prev_y = 0;
    float radius = 0;
    float aim_x = 0, aim_y = 0;           // 30 units from the centre towards the pointer
    float pointer_x = 0, pointer_y = 0;   // world position of the pointer
    float pointer_dx = 0, pointer_dy = 0; // pointer offset from the centre, at most 16 long
    float wheel = 0;                      // wheel notches of the latest mouse report
    float contact_timer = 0;
    uint8_t in_contact = 0;
    uint8_t was_in_contact = 0;
    std::array<Rope, ROPES_PER_PLAYER> ropes{};
    std::array<uint8_t, 3> button_down{};
    std::array<uint8_t, 3> button_ready{};
    float roll_angle = 0; // drawing only, kept by the renderer
    uint8_t roll_held = 0;
    int32_t jump_key = 0;
    int32_t roll_key = 0;
    int32_t rigid_key = 0;
    // Nearest present blob. It may lie outside the blob array (a level without blobs):
    // readers must check it before use.
    int32_t nearest_blob = 0;
};

struct MenuItem {
    float x = 0, y = 0; // centre, in pointer-offset units
    float half_width = 0, half_height = 0;
    char label[20] = {};
    int32_t texture_slot = 0;
};

// Once-per-press latches of the menu keys.
struct MenuKeyLatches {
    bool shift_9 = false;
    bool shift_0 = false;
    bool shift_f = false;
    bool t = false;
    bool l = false;
    bool j = false;
    bool b = false;
};

struct GameState : WorldCommon {
    // Allocated once for the number of mice plus two; the first `player_count` are simulated.
    std::vector<Player> players;
    int player_count = 0;

    std::array<Sheep, FLOCK_SIZE> flock{};

    // The loaded level; ground segment k joins ground[k] and ground[k + 1].
    LevelData level;

    // Folder the level files and the quick save are relative to; empty means the
    // working directory.
    std::string files_dir;

    bool playing = false;
    int level_index = 0;
    int highest_level = 0;

    int sound_channel = 0;

    bool inflate_mode = true;
    bool soft_collisions = false;
    bool flock_enabled = false;
    bool trail_enabled = false;
    bool background_enabled = true;

    bool menu_armed = false;
    bool played_last_step = false;
    MenuKeyLatches latches;

    // Held keys by virtual-key code, written by key_event.
    std::array<uint8_t, 256> key_down{};

    std::array<MenuItem, MENU_ITEM_COUNT> menu_items{};

    // "change controls" sequence.
    bool binding_mode = false;
    int binding_player = 0;
    int binding_step = -1;

    // Right-button toggle detector, shared by all mice.
    uint8_t last_right = 0;
    uint8_t toggle_armed = 0;

    // Renderer's trail ring; the renderer advances it, a level reset clears it.
    std::array<TrailPuff, TRAIL_LENGTH> trail{};
    int trail_head = 0;

    // Scratch of the flock's ground test, rebuilt every flock step.
    SegmentBlocks ground_blocks;
};

// Allocates the player records (mouse_count + 2, zero-filled) and sets the start values.
// The program then runs reset_level, install_default_controls and fill_menu_items.
void init_game_state(GameState& gs, int mouse_count);

// True while virtual key `code` is held; codes outside 0..255 are never held.
bool key_held(const GameState& gs, int code);
