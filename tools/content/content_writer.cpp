#include "tools/content/content_writer.h"

#include <algorithm>
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

uint64_t content_fingerprint(const std::vector<uint8_t>& bytes) {
    uint64_t h = 1469598103934665603ull;
    for (uint8_t b : bytes) {
        h ^= b;
        h *= 1099511628211ull;
    }
    return h;
}

namespace {

bool write_mygame_unless_edited(const std::string& output_dir, ContentResult& result) {
    const fs::path file = fs::path(output_dir) / "MyGame.svg";
    const fs::path record = fs::path(output_dir) / MYGAME_RECORD;
    const std::vector<uint8_t> fresh = encode_mygame(make_mygame_ground());
    std::vector<uint8_t> existing, recorded;
    std::string error;
    if (read_whole_file(file.string(), existing, error) == FileReadStatus::ok &&
        existing != fresh) {
        read_whole_file(record.string(), recorded, error); // no record: not ours either
        std::string mark = std::to_string(content_fingerprint(existing));
        if (std::string(recorded.begin(), recorded.end()) != mark) {
            result.kept_user_ground = true;
            return true;
        }
    }
    std::string mark = std::to_string(content_fingerprint(fresh));
    if (!write_mygame_file(file.string(), make_mygame_ground(), error) ||
        !write_file_atomically(record.string(), std::vector<uint8_t>(mark.begin(), mark.end()),
                               error)) {
        result.error = error;
        return false;
    }
    result.written.push_back("MyGame.svg");
    return true;
}

} // namespace

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
    for (size_t i = 0; i < levels.size(); ++i) {
        std::string rel = "levels/level" + std::to_string(i + 1) + ".svg";
        if (!write_level_file((fs::path(output_dir) / rel).string(), levels[i].level, result.error,
                              full))
            return result;
        result.written.push_back(rel);
    }
    if (!write_mygame_unless_edited(output_dir, result))
        return result;
    // A level file left from an earlier run with more levels would be played after the
    // last real one: remove every levelN.svg this run did not write.
    for (const auto& entry : fs::directory_iterator(fs::path(output_dir) / "levels", ec)) {
        std::string name = entry.path().filename().string();
        bool is_level = name.size() > 9 && name.rfind("level", 0) == 0 &&
                        name.compare(name.size() - 4, 4, ".svg") == 0;
        std::string rel = "levels/" + name;
        if (is_level &&
            std::find(result.written.begin(), result.written.end(), rel) == result.written.end())
            fs::remove(entry.path(), ec);
    }
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
