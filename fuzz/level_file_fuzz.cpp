// The level reader, with the game's option (copy the first type to the last point) and
// without it (ropegame, leveledit). A refused file leaves the level as it was; an accepted
// one holds only finite coordinates, is written back and read back the same, and the game
// plays it for 300 steps with every position finite.
#include "fuzz/fuzz_check.h"
#include "fuzz/glimbo_drive.h"
#include "physics/level_core.h"
#include "level/level_file.h"

#include <cstdint>
#include <span>

namespace {

// What the level in memory holds before the read: the editor's start level, marks included.
LevelData held_level() {
    return editor_start_level();
}

void check_accepted(std::span<const uint8_t> bytes, const LevelData& level, bool copy_type) {
    FUZZ_CHECK(level.ground.size() == level.base.size(), "ground and base lines differ in length");
    for (const GroundPoint& p : level.ground)
        FUZZ_CHECK(all_finite({p.x, p.y}), "an accepted ground point is not finite");
    for (const BasePoint& p : level.base)
        FUZZ_CHECK(all_finite({p.x, p.y}), "an accepted base point is not finite");
    for (const Blob& b : level.blobs)
        FUZZ_CHECK(all_finite({b.x, b.y}), "an accepted blob is not finite");
    const LevelData held = held_level();
    FUZZ_CHECK(encode_level({.balls = level.balls, .sheep = level.sheep}) ==
                   encode_level({.balls = held.balls, .sheep = held.sheep}),
               "the read changed the editor's marks");
    if (copy_type && !level.ground.empty())
        FUZZ_CHECK(level.ground.back().type == level.ground.front().type,
                   "the game's read kept the last point's own type");

    // Every meaningful byte came from the file as stored: not the magic, padding or the
    // spare half of a base point, nor the last type when the game copied it.
    const std::vector<uint8_t> written = encode_level(level, {.write_trailing = false});
    FUZZ_CHECK(written.size() <= bytes.size(), "the level holds more records than the file");
    const size_t n = level.ground.size();
    const size_t base_at = LEVEL_HEADER_BYTES + n * GROUND_POINT_BYTES;
    const size_t blobs_at = base_at + n * BASE_POINT_BYTES;
    for (size_t at = 4; at < written.size(); ++at) {
        if (at < base_at && at >= LEVEL_HEADER_BYTES) {
            const size_t k = (at - LEVEL_HEADER_BYTES) % GROUND_POINT_BYTES;
            if ((k >= 9 && k < 12) || (copy_type && k >= 12 && at + GROUND_POINT_BYTES >= base_at))
                continue;
        } else if (at >= base_at && at < blobs_at) {
            if ((at - base_at) % BASE_POINT_BYTES >= 8)
                continue;
        } else if (at >= blobs_at) {
            const size_t k = (at - blobs_at) % BLOB_BYTES;
            if (k >= 9 && k < 12)
                continue;
        }
        FUZZ_CHECK(written[at] == bytes[at], "a level field differs from the file");
    }

    // Written back, it reads back the same.
    LevelData again = held_level();
    FUZZ_CHECK(parse_level(written, again, {.copy_first_type_to_last = copy_type}).status ==
                   LevelReadStatus::ok,
               "the written level is refused");
    FUZZ_CHECK(encode_level(again) == encode_level(level), "the written level reads back changed");
}

void play(const LevelData& level) {
    random_reset();
    GameState gs;
    init_game_state(gs, 2);
    gs.files_dir = "/nonexistent/glimbo-fuzz"; // finishing the level reads no file
    install_default_controls(gs);
    fill_menu_items(gs);
    scatter_for_reset(gs);
    gs.level = level;
    // A level without a present blob is finished at once: a far blob keeps its ground in play.
    bool any = false;
    for (const Blob& b : gs.level.blobs)
        any = any || b.present;
    if (!any)
        gs.level.blobs.push_back({1e6f, 1e6f, 1, 1});
    place_players_for_reset(gs);
    QuietHost host;
    drive_and_check(gs, host);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    for (bool copy_type : {true, false}) {
        LevelData level = held_level();
        const std::vector<uint8_t> before = encode_level(level);
        const LevelReadResult result =
            parse_level(bytes, level, {.copy_first_type_to_last = copy_type});
        if (result.status != LevelReadStatus::ok) {
            FUZZ_CHECK(result.status == LevelReadStatus::damaged && !result.error.empty(),
                       "a refused level gives no reason");
            FUZZ_CHECK(encode_level(level) == before,
                       "a refused level changed the level in memory");
            continue;
        }
        FUZZ_CHECK(result.error.empty(), "an accepted level carries an error");
        check_accepted(bytes, level, copy_type);
        if (copy_type)
            play(level);
    }
    return 0;
}
