#include "glimbo/game.h"
#include "glimbo/player_image.h"
#include "level/byte_io.h"
#include "level/file_access.h"

#include <algorithm>

namespace {

// A quick save decoded and checked before anything in the game changes.
struct QuickSaveImage {
    bool has_level = false; // the file is long enough for the level number
    int32_t level_index = 0;
    std::vector<Player> players; // the whole records of players 0 .. n - 1 in the file
    std::vector<Blob> blobs;     // every whole 16-byte record after the player records
};

// False for a damaged save: a negative level number (it names no level file), a player
// record to be applied with an unusable real, or a blob record whose coordinates are not
// finite (such a blob could never be collected). A file that just ends early is not damaged.
bool decode_quick_save(std::span<const uint8_t> bytes, const GameState& gs, QuickSaveImage& out) {
    ByteReader r{bytes};
    if (r.can_read(4)) {
        out.has_level = true;
        out.level_index = read_i32(r);
        if (out.level_index < 0)
            return false;
    }
    const int32_t stored = r.can_read(4) ? read_i32(r) : 0;
    const int count = std::clamp<int>(stored, 0, std::max(gs.player_count, 0));

    const int slots = int(gs.players.size());
    for (int i = 0; i < count && i < slots; ++i) {
        // A record cut short ends the file: it and everything after it keep the reset state.
        if (!r.can_read(PLAYER_IMAGE_BYTES)) {
            skip_bytes(r, r.remaining());
            break;
        }
        Player p;
        if (!read_player_image(r, p, slots))
            return false;
        out.players.push_back(p);
    }
    if (stored > count) {
        // Records of players this game does not simulate; a huge count just ends the file.
        const uint64_t skip = uint64_t(stored - count) * PLAYER_IMAGE_BYTES;
        skip_bytes(r, size_t(std::min<uint64_t>(skip, r.remaining())));
    }
    // Only whole blob records count; how many apply is known once the level is loaded.
    while (r.can_read(BLOB_BYTES)) {
        const Blob b = read_blob(r);
        if (!blob_is_finite(b))
            return false;
        out.blobs.push_back(b);
    }
    return true;
}

} // namespace

std::vector<uint8_t> encode_quick_save(const GameState& gs) {
    ByteWriter w;
    const int count = std::clamp(gs.player_count, 0, int(gs.players.size()));
    write_i32(w, gs.level_index);
    write_i32(w, count);
    for (int i = 0; i < count; ++i)
        write_player_image(w, gs.players[size_t(i)]);
    for (const Blob& b : gs.level.blobs)
        write_blob(w, b);
    return std::move(w.bytes);
}

bool load_quick_save(GameState& gs, GameHost& host, std::span<const uint8_t> bytes) {
    QuickSaveImage image;
    if (!decode_quick_save(bytes, gs, image))
        return false;
    if (image.has_level)
        gs.level_index = image.level_index;
    reset_level(gs, host);
    std::copy(image.players.begin(), image.players.end(), gs.players.begin());
    const size_t blobs = std::min(image.blobs.size(), gs.level.blobs.size());
    std::copy_n(image.blobs.begin(), blobs, gs.level.blobs.begin());
    return true;
}

namespace {

bool write_quick_save(const GameState& gs, FileAccess& files) {
    std::string error;
    return files.write(game_file_path(gs, QUICK_SAVE_NAME), encode_quick_save(gs), error);
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
    load_quick_save(gs, host, bytes);
}
