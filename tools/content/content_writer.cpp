#include "tools/content/content_writer.h"

#include <filesystem>

#include "level/safe_file.h"
#include "tools/content/images.h"
#include "tools/content/level_source.h"
#include "tools/content/music.h"
#include "tools/content/mygame_ground.h"
#include "tools/content/sounds.h"
#include "tools/content/tga_writer.h"
#include "tools/content/wav_writer.h"

namespace fs = std::filesystem;

bool load_levels(const std::string& level_source_dir, std::vector<ReviewLevel>& levels,
                 std::string& error) {
    levels.clear();
    for (int n = 1;; ++n) {
        fs::path path = fs::path(level_source_dir) / ("level" + std::to_string(n) + ".txt");
        if (!fs::exists(path))
            break;
        LevelSource source;
        LevelSourceResult r = read_level_source(path.string(), source);
        if (!r.ok) {
            error = r.error;
            return false;
        }
        levels.push_back({source.name, compile_level(source)});
    }
    // Without level 1 the game stops at start: never write a folder without it.
    if (levels.empty()) {
        error = "no level1.txt in " + level_source_dir;
        return false;
    }
    return true;
}

ContentResult write_content(const std::string& output_dir, const std::string& level_source_dir) {
    ContentResult result;
    std::vector<ReviewLevel> levels;
    if (!load_levels(level_source_dir, levels, result.error))
        return result;
    std::error_code ec;
    for (const char* sub : {"Data", "sounds", "levels"}) {
        fs::create_directories(fs::path(output_dir) / sub, ec);
        if (ec) {
            result.error =
                "cannot create " + (fs::path(output_dir) / sub).string() + ": " + ec.message();
            return result;
        }
    }
    auto put = [&](const std::string& rel, const std::vector<uint8_t>& bytes) {
        std::string error;
        if (!write_file_atomically((fs::path(output_dir) / rel).string(), bytes, error)) {
            result.error = error;
            return false;
        }
        result.written.push_back(rel);
        return true;
    };
    for (const NamedImage& img : make_all_images())
        if (!put("Data/" + img.name, encode_tga(img.image)))
            return result;
    for (const NamedSound& s : make_game_sounds())
        if (!put("sounds/" + s.name, encode_wav(s.samples)))
            return result;
    if (!put("vornrope.wav", encode_wav(make_rope_sound())))
        return result;
    if (!put("music.mod", encode_mod(compose_music())))
        return result;
    // The trailing sections are written (empty), so each file has exactly the layout the
    // level editor saves and can be copied to level.svg and edited as it is.
    LevelWriteOptions full;
    full.write_trailing = true;
    for (size_t i = 0; i < levels.size(); ++i)
        if (!put("levels/level" + std::to_string(i + 1) + ".svg",
                 encode_level(levels[i].level, full)))
            return result;
    if (!put("MyGame.svg", encode_mygame(make_mygame_ground())))
        return result;
    result.ok = true;
    return result;
}

bool write_review(const std::string& path, const std::string& level_source_dir,
                  std::string& error) {
    std::vector<ReviewLevel> levels;
    if (!load_levels(level_source_dir, levels, error))
        return false;
    for (ReviewLevel& l : levels) // draw what the game sees after loading
        if (!l.level.ground.empty())
            l.level.ground.back().type = l.level.ground.front().type;
    Image img = render_review(make_all_images(), levels, make_mygame_ground());
    bool ppm = path.size() >= 4 && path.compare(path.size() - 4, 4, ".ppm") == 0;
    return write_file_atomically(path, ppm ? encode_ppm(img) : encode_tga(img), error);
}
