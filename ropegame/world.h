// The world of ropegame: its own player records with a pointer record beside each, the
// loaded level, the flock and the game-wide values. Field names follow the glimbo world
// where the meaning is the same, so the shared simulation pieces of game/ work on both.
#pragma once

#include "physics/collision.h"
#include "physics/world_parts.h" // Rope, Sheep, TrailPuff and the table sizes
#include "level/level_file.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace ropegame {

constexpr int LEVEL_NAME_COUNT = 20;
constexpr int LEVEL_NAME_LENGTH = 20;

struct Player {
    float x = 0, y = 0;
    float prev_x = 0, prev_y = 0;
    float radius = 0;
    float aim_x = 0, aim_y = 0; // 30 units from the centre towards the pointer
    float contact_timer = 0;
    uint8_t in_contact = 0;
    std::array<Rope, ROPES_PER_PLAYER> ropes{}; // the third slot is never fired
    std::array<uint8_t, 3> button_down{};       // [1] is the second button, held
    std::array<uint8_t, 3> button_ready{};
    float roll_angle = 0; // drawing only, kept by the renderer
    uint8_t roll_held = 0;
};

// One mouse's pointer, kept beside the player of the same index.
struct PointerInput {
    float pointer_x = 0, pointer_y = 0; // world position, set every step
    float wheel = 0;                    // notches of the latest poll; cleared every step
    float offset_x = 0;                 // mouse units, right positive, within -170 .. 170
    float offset_y = 0;                 // mouse units, up positive, within -130 .. 130
};

// The title screen's button.
struct PlayButton {
    float x = 0, y = 0;
    float half_width = 0, half_height = 0;
    int32_t texture_slot = 0;
};

// Once-per-press latches of the title keys.
struct TitleKeyLatches {
    bool next = false;     // 9
    bool previous = false; // 0
    bool f = false;
    bool t = false;
    bool l = false;
    bool g = false;
};

struct World : WorldCommon {
    // Allocated once for the number of mice plus two; the first `player_count` are
    // simulated. Both arrays always have the same length.
    std::vector<Player> players;
    std::vector<PointerInput> pointer_inputs;
    int player_count = 0;

    std::array<Sheep, FLOCK_SIZE> flock{};

    // The loaded level; balls push its ground points, so it changes while played.
    LevelData level;
    // Folder the level names are relative to; empty means the working directory.
    std::string files_dir;
    std::array<std::array<char, LEVEL_NAME_LENGTH>, LEVEL_NAME_COUNT> level_names{};

    bool playing = false;
    int level_index = 0;
    bool play_armed = false;
    bool camera_midpoint_mode = false;

    bool inflate_mode = true;
    bool flock_enabled = false;
    bool trail_enabled = false;

    TitleKeyLatches latches;
    PlayButton play_button;

    // Held keys by virtual-key code, kept by key_event from the window's key messages.
    std::array<uint8_t, 256> key_down{};

    // Renderer's trail ring; the renderer advances it, a level reset clears it.
    std::array<TrailPuff, TRAIL_LENGTH> trail{};
    int trail_head = 0;

    // Scratch of the flock's ground test, rebuilt every flock step.
    SegmentBlocks ground_blocks;
};

// Allocates players and pointers (mouse_count + 2 each, zero-filled), sets the start
// values and fills the level-name table.
void init_world(World& w, int mouse_count);

// "levels/level1.svg" .. "levels/level20.svg"; entry i names level index i.
void fill_level_names(World& w);

// True while virtual key `code` is held; codes outside 0..255 are never held.
bool key_held(const World& w, int code);

// A key press (down = true) or release, as the window's key table records it.
void key_event(World& w, int code, bool down);

} // namespace ropegame
