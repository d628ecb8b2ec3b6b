// make_seeds CONTENT_DIR FUZZ_DIR: makes the fuzz targets' seed corpora, the levels of the
// quick-save target and the generated regression inputs from a folder that make_content
// wrote. The corpora are replaced; regression files found by fuzzing are kept.
#include "assets/texture.h"
#include "fuzz/glimbo_drive.h"
#include "fuzz/tga_encode.h"
#include "level/level_file.h"
#include "level/mygame_file.h"
#include "level/safe_file.h"
#include "platform/random.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <string>

namespace fs = std::filesystem;

namespace {

constexpr float NOT_A_NUMBER = std::numeric_limits<float>::quiet_NaN();
constexpr float INF = std::numeric_limits<float>::infinity();

struct Failure {
    std::string text;
};

std::vector<uint8_t> read_file(const fs::path& path) {
    std::vector<uint8_t> bytes;
    std::string error;
    if (read_whole_file(path.string(), bytes, error) != FileReadStatus::ok)
        throw Failure{error};
    return bytes;
}

void write_file(const fs::path& path, const std::vector<uint8_t>& bytes) {
    fs::create_directories(path.parent_path());
    std::string error;
    if (!write_file_atomically(path.string(), bytes, error))
        throw Failure{error};
}

LevelData read_level(const fs::path& path) {
    LevelData level;
    if (parse_level(read_file(path), level).status != LevelReadStatus::ok)
        throw Failure{path.string() + ": not a level"};
    return level;
}

// The first `points` ground and base points and `blobs` blobs of a level.
LevelData head_of(LevelData level, size_t points, size_t blobs) {
    level.ground.resize(std::min(points, level.ground.size()));
    level.base.resize(level.ground.size());
    level.blobs.resize(std::min(blobs, level.blobs.size()));
    return level;
}

void level_seeds(const fs::path& content, const fs::path& corpus, const fs::path& regressions) {
    const LevelData one = read_level(content / "levels" / "level1.svg");
    const LevelData two = read_level(content / "levels" / "level2.svg");
    write_file(corpus / "level1.svg", encode_level(one, {.write_trailing = false}));
    write_file(corpus / "level2.svg", encode_level(two, {.write_trailing = false}));
    write_file(corpus / "level1_head.svg",
               encode_level(head_of(one, 4, 1), {.write_trailing = false}));
    write_file(corpus / "editor_start.svg", encode_level(editor_start_level()));

    LevelData bad = one;
    bad.blobs[0].x = NOT_A_NUMBER; // could never be collected: the level never ends
    write_file(regressions / "nan_blob.svg", encode_level(bad, {.write_trailing = false}));
    bad = one;
    bad.ground[1].y = INF;
    write_file(regressions / "inf_ground.svg", encode_level(bad, {.write_trailing = false}));
    bad = one;
    bad.base[0].x = -NOT_A_NUMBER;
    write_file(regressions / "nan_base.svg", encode_level(bad, {.write_trailing = false}));
    LevelData huge = head_of(one, 4, 1); // finite but absurd: accepted, and must stay playable
    huge.ground[0].x = -1e30f, huge.ground[3].x = 1e30f, huge.base[3].y = -3e38f;
    write_file(regressions / "huge_ground.svg", encode_level(huge, {.write_trailing = false}));
}

void ground_seeds(const fs::path& content, const fs::path& corpus, const fs::path& regressions) {
    MyGameData ground;
    if (parse_mygame(read_file(content / "MyGame.svg"), ground).status != MyGameReadStatus::ok)
        throw Failure{"MyGame.svg: not a ground"};
    write_file(corpus / "MyGame.svg", encode_mygame(ground));
    write_file(corpus / "start.svg", encode_mygame(mygame_start_ground()));
    MyGameData head = ground;
    head.top.resize(std::min<size_t>(4, head.top.size()));
    head.bottom.resize(head.top.size());
    write_file(corpus / "head.svg", encode_mygame(head));

    MyGameData bad = head;
    bad.top[1].x = NOT_A_NUMBER;
    write_file(regressions / "nan_top.svg", encode_mygame(bad));
    bad = head;
    bad.bottom[2].y = -INF;
    write_file(regressions / "inf_bottom.svg", encode_mygame(bad));
    bad = head;
    bad.top[0].x = -1e30f, bad.top[3].x = 3e38f, bad.top[2].y = 1e30f;
    write_file(regressions / "huge_top.svg", encode_mygame(bad));
}

// Starts the quick-save target's game (two players) on the level `index` of `files`.
GameState start_game(const fs::path& files, int index) {
    random_reset();
    GameState gs;
    init_game_state(gs, 2);
    gs.files_dir = files.string();
    gs.level_index = index;
    install_default_controls(gs);
    fill_menu_items(gs);
    QuietHost host;
    reset_level(gs, host);
    return gs;
}

void quick_save_seeds(const fs::path& content, const fs::path& files, const fs::path& corpus,
                      const fs::path& regressions) {
    for (const char* name : {"level1.svg", "level2.svg"})
        write_file(files / "levels" / name, read_file(content / "levels" / name));

    GameState menu = start_game(files, 0);
    write_file(corpus / "level1_menu.sav", encode_quick_save(menu));

    GameState ropes = start_game(files, 0);
    QuietHost host;
    drive_and_check(ropes, host, 0, 185); // both ropes out (the right one a rod), flock stirred
    write_file(corpus / "level1_ropes.sav", encode_quick_save(ropes));

    GameState single = start_game(files, 1);
    single.player_count = 1;
    drive_and_check(single, host, 0, 80);
    single.level.blobs[0].present = 0;
    write_file(corpus / "level2_one_player.sav", encode_quick_save(single));

    GameState bad = menu;
    bad.level.blobs[0].x = NOT_A_NUMBER;
    write_file(regressions / "nan_blob_record.sav", encode_quick_save(bad));
    bad = ropes;
    bad.players[0].nearest_blob = 1000000;
    bad.players[1].nearest_blob = -7;
    write_file(regressions / "nearest_blob_out_of_range.sav", encode_quick_save(bad));
    bad = ropes; // a weight far beyond the game's: the held rope reached infinity in one step
    bad.players[0].ropes[0].node_weight = 1e6f;
    write_file(regressions / "rope_weight_diverges.sav", encode_quick_save(bad));
}

// A `w` by `h` corner of an image.
Texture crop(const Texture& image, uint32_t w, uint32_t h) {
    Texture out;
    out.width = std::min(w, image.width);
    out.height = std::min(h, image.height);
    out.bits_per_pixel = image.bits_per_pixel;
    const size_t step = image.bits_per_pixel / 8;
    for (uint32_t y = 0; y < out.height; ++y) {
        const auto row = image.pixels.begin() + ptrdiff_t(y * image.width * step);
        out.pixels.insert(out.pixels.end(), row, row + ptrdiff_t(out.width * step));
    }
    return out;
}

void tga_seeds(const fs::path& content, const fs::path& corpus, const fs::path& regressions) {
    const struct {
        const char* name;
        uint32_t w, h;
    } cuts[] = {{"Ground.tga", 4, 3}, {"miniball.tga", 3, 2}, {"sky.tga", 1, 1}};
    for (const auto& cut : cuts) {
        Texture image;
        std::string error;
        if (!read_tga_file((content / "Data" / cut.name).string(), image, error))
            throw Failure{error};
        write_file(corpus / cut.name, encode_tga_image(crop(image, cut.w, cut.h)));
    }
    // A header announcing 65535 x 65535 pixels of 4 bytes over a few bytes of data.
    Texture huge;
    huge.width = huge.height = 65535;
    huge.bits_per_pixel = 32;
    std::vector<uint8_t> bytes = encode_tga_image(huge);
    bytes.resize(bytes.size() + 10, 0x55);
    write_file(regressions / "huge_header.tga", bytes);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_seeds CONTENT_DIR FUZZ_DIR\n");
        return 2;
    }
    const fs::path content = argv[1], fuzz = argv[2];
    try {
        for (const char* target : {"level_file", "ground_file", "quick_save", "tga"})
            fs::remove_all(fuzz / "corpus" / target);
        const fs::path corpus = fuzz / "corpus", regressions = fuzz / "regressions";
        level_seeds(content, corpus / "level_file", regressions / "level_file");
        ground_seeds(content, corpus / "ground_file", regressions / "ground_file");
        quick_save_seeds(content, fuzz / "quick_save_files", corpus / "quick_save",
                         regressions / "quick_save");
        tga_seeds(content, corpus / "tga", regressions / "tga");
    } catch (const Failure& f) {
        std::fprintf(stderr, "make_seeds: %s\n", f.text.c_str());
        return 1;
    } catch (const fs::filesystem_error& e) {
        std::fprintf(stderr, "make_seeds: %s\n", e.what());
        return 1;
    }
    return 0;
}
