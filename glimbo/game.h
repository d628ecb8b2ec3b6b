// The simulation's public operations.
#pragma once

#include "physics/game_host.h"
#include "glimbo/game_state.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// ---- step -----------------------------------------------------------------------------

// Advances the world by one step: frame-rate bookkeeping, then the play step (when
// `playing` at entry) or the menu step, then the common tail.
void game_step(GameState& gs, GameHost& host, uint32_t elapsed_ms);

// Plays a sample on the current channel and advances the channel.
void play_sample(GameState& gs, GameHost& host, Sample sample);

// Moves the camera towards the mean centre of the simulated players by `rate`.
void follow_camera(GameState& gs, float rate);

// Puts the system cursor back at the screen centre, limits each pointer offset to 16 and
// places each pointer at centre + offset.
void update_pointers(GameState& gs, GameHost& host);

// ---- level progression ----------------------------------------------------------------

// Loads "levels/level<level_index + 1>.svg", handling a missing or damaged file.
void load_level(GameState& gs, GameHost& host);

// Camera, trail, flock, level, players; always ends in the menu.
void reset_level(GameState& gs, GameHost& host);

// The body of game_step while the menu is shown.
void menu_step(GameState& gs, GameHost& host);

// True when (px, py) lies strictly inside menu item `item`.
bool point_in_menu_item(const GameState& gs, int item, float px, float py);

// ---- controls -------------------------------------------------------------------------

// Key press (down = true) or release; also runs the "change controls" binding.
void key_event(GameState& gs, int code, bool down);

// One mouse report for player i: motion, wheel notches and the three buttons.
void player_mouse_input(GameState& gs, int i, int32_t x, int32_t y, int32_t wheel, bool left,
                        bool right, bool middle);

// The nine menu buttons.
void fill_menu_items(GameState& gs);

// Q W E for player 0, T Y U for player 1, W and E as roll keys of players 3 and 4.
void install_default_controls(GameState& gs);

// What every window (re)build does to the world: the level loaded afresh and reset, the
// default controls and the menu.
void start_game(GameState& gs, GameHost& host);

// ---- quick save -----------------------------------------------------------------------

constexpr const char* QUICK_SAVE_NAME = "quicksave.sav";

// Writes the quick save atomically through host.files (on disk when `host` is left out);
// returns false (and keeps any previous save) on failure.
bool quick_save(const GameState& gs, GameHost& host);
bool quick_save(const GameState& gs);

// Replaces the game state from the quick save when it exists; does nothing otherwise.
void quick_load(GameState& gs, GameHost& host);

// The quick save's bytes: level number, player count, player images, blob records.
std::vector<uint8_t> encode_quick_save(const GameState& gs);

// Applies a quick save: level number, `reset_level`, then the records the file holds (a
// file that ends early leaves the rest as the reset made it). A damaged save (negative
// level number, an unusable real in a player record, a blob coordinate that is not finite)
// is refused whole: returns false and changes nothing.
bool load_quick_save(GameState& gs, GameHost& host, std::span<const uint8_t> bytes);

// Path of a file relative to gs.files_dir.
std::string game_file_path(const GameState& gs, const std::string& name);
