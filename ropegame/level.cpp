// Loading ropegame's levels by the fixed name table, and the level reset.
#include "physics/level_core.h"
#include "ropegame/sim.h"

#include <cstring>

namespace ropegame {

namespace {

std::string in_files_dir(const World& w, const std::string& name) {
    return w.files_dir.empty() ? name : w.files_dir + "/" + name;
}

} // namespace

void load_level(World& w, GameHost& host) {
    // An index without a name (past the last level, or below the first) is a missing level.
    if (w.level_index < 0 || w.level_index >= LEVEL_NAME_COUNT) {
        LevelReadResult missing;
        missing.status = LevelReadStatus::cannot_open;
        level_not_read(w, host, missing, "level " + std::to_string(w.level_index + 1), "ropegame",
                       reset_level);
        return;
    }
    const auto& entry = w.level_names[size_t(w.level_index)];
    const std::string name(entry.data(), strnlen(entry.data(), entry.size()));
    // ropegame keeps each ground point's own type (no copy of the first into the last).
    const LevelReadResult result = read_level_file(*host.files, in_files_dir(w, name), w.level,
                                                   {.copy_first_type_to_last = false});
    if (result.status != LevelReadStatus::ok)
        level_not_read(w, host, result, name, "ropegame", reset_level);
}

void start_game(World& w, GameHost& host) {
    fill_level_names(w);
    // A new window starts with every key up.
    w.key_down.fill(0);
    reset_level(w, host);
}

void reset_level(World& w, GameHost& host) {
    scatter_for_reset(w);
    load_level(w, host);
    place_players_for_reset(w);
    w.playing = false;
}

} // namespace ropegame
