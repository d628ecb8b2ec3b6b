#include "glimbo/game.h"
#include "glimbo/player_image.h"
#include "level/byte_io.h"
#include "level/file_access.h"

#include <algorithm>

namespace {

bool write_quick_save(const GameState& gs, FileAccess& files) {
    ByteWriter w;
    const int count = std::clamp(gs.player_count, 0, int(gs.players.size()));
    write_i32(w, gs.level_index);
    write_i32(w, count);
    for (int i = 0; i < count; ++i)
        write_player_image(w, gs.players[size_t(i)]);
    for (const Blob& b : gs.level.blobs)
        write_blob(w, b);
    std::string error;
    return files.write(game_file_path(gs, QUICK_SAVE_NAME), w.bytes, error);
}

} // namespace

bool quick_save(const GameState& gs, GameHost& host) {
    return write_quick_save(gs, *host.files);
}

bool quick_save(const GameState& gs) {
    return write_quick_save(gs, disk_files());
}

void quick_load(GameState& gs, GameHost& host) {
    std::vector<uint8_t> bytes;
    std::string error;
    if (host.files->read(game_file_path(gs, QUICK_SAVE_NAME), bytes, error) != FileReadStatus::ok)
        return;
    ByteReader r{bytes};

    // A file too short for the level number leaves it as it is; a negative one names no
    // level file, so the whole save is refused.
    if (r.can_read(4)) {
        const int32_t level = read_i32(r);
        if (level < 0)
            return;
        gs.level_index = level;
    }
    const int32_t stored = r.can_read(4) ? read_i32(r) : 0;
    const int count = std::clamp<int>(stored, 0, std::max(gs.player_count, 0));

    reset_level(gs, host);

    const int slots = int(gs.players.size());
    for (int i = 0; i < count && i < slots; ++i)
        read_player_image(r, gs.players[size_t(i)], slots);
    if (stored > count) {
        // Records of players this game does not simulate; a huge count just ends the file.
        const uint64_t skip = uint64_t(stored - count) * PLAYER_IMAGE_BYTES;
        skip_bytes(r, size_t(std::min<uint64_t>(skip, r.remaining())));
    }
    for (Blob& b : gs.level.blobs) {
        // Only whole blob records are applied.
        if (!r.can_read(BLOB_BYTES))
            break;
        b = read_blob(r);
    }
}
