// The quick-save loader over a game on the levels in fuzz/quick_save_files (two levels: a
// save naming a later one runs the game-complete path). A refused save changes nothing at
// all; an accepted one, saved again, loads to the same save, and the loaded world plays 300
// steps with every position finite.
#include "fuzz/fuzz_check.h"
#include "fuzz/glimbo_drive.h"
#include "glimbo/player_image.h"
#include "level/byte_io.h"
#include "platform/random.h"

#include <cstdint>
#include <span>

#ifndef GLIMBO_FUZZ_FILES_DIR
#define GLIMBO_FUZZ_FILES_DIR "fuzz/quick_save_files"
#endif

namespace {

// The game as the program leaves it in the menu of level 1, two players, four records.
const GameState& started_game() {
    static const GameState game = [] {
        random_reset();
        GameState gs;
        init_game_state(gs, 2);
        gs.files_dir = GLIMBO_FUZZ_FILES_DIR;
        install_default_controls(gs);
        fill_menu_items(gs);
        QuietHost host;
        reset_level(gs, host);
        FUZZ_CHECK(host.calls == 0 && !gs.level.blobs.empty(),
                   "the quick-save target's level 1 is missing or damaged");
        return gs;
    }();
    return game;
}

// Everything a load may touch, as bytes.
std::vector<uint8_t> state_image(const GameState& gs) {
    ByteWriter w;
    write_i32(w, gs.level_index);
    write_i32(w, gs.highest_level);
    write_i32(w, gs.player_count);
    write_u8(w, gs.playing);
    for (float v : {gs.camera_x, gs.camera_y, gs.time_taken, gs.light_x, gs.light_y})
        write_f32(w, v);
    for (const Player& p : gs.players)
        write_player_image(w, p);
    for (const Sheep& s : gs.flock)
        for (float v : {s.x, s.y, s.prev_x, s.prev_y, s.radius})
            write_f32(w, v);
    for (const TrailPuff& t : gs.trail)
        write_u8(w, t.alive);
    const std::vector<uint8_t> level = encode_level(gs.level);
    w.bytes.insert(w.bytes.end(), level.begin(), level.end());
    return std::move(w.bytes);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    GameState gs = started_game();
    const std::vector<uint8_t> before = state_image(gs);
    QuietHost host;
    random_reset();
    if (!load_quick_save(gs, host, bytes)) {
        FUZZ_CHECK(state_image(gs) == before, "a refused save changed the game");
        FUZZ_CHECK(host.calls == 0, "a refused save showed a message or quit");
        return 0;
    }
    FUZZ_CHECK(!gs.playing, "a load does not end in the menu");

    // Saved again, it loads to the same save.
    const std::vector<uint8_t> saved = encode_quick_save(gs);
    GameState again = started_game();
    random_reset();
    FUZZ_CHECK(load_quick_save(again, host, saved), "the game's own save is refused");
    FUZZ_CHECK(encode_quick_save(again) == saved, "the game's own save loads changed");

    drive_and_check(gs, host);
    return 0;
}
