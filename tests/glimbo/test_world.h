// A recording host and small world builders for the simulation tests.
#pragma once

#include "glimbo/game.h"
#include "platform/random.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include <unistd.h>

struct FakeHost : GameHost {
    std::vector<std::pair<Sample, int>> sounds;
    std::vector<std::pair<std::string, std::string>> messages; // caption, text
    std::vector<MessageIcon> icons;
    int quit_requests = 0, cursor_moves = 0;

    void play_sample(Sample s, int channel) override { sounds.push_back({s, channel}); }
    void show_message(const std::string& caption, const std::string& text,
                      MessageIcon icon) override {
        messages.push_back({caption, text});
        icons.push_back(icon);
    }
    void request_quit() override { ++quit_requests; }
    void set_cursor_position(int, int) override { ++cursor_moves; }
    int count(Sample s) const {
        return int(std::count_if(sounds.begin(), sounds.end(),
                                 [&](const auto& e) { return e.first == s; }));
    }
};

inline GroundPoint gp(float x, float y, int32_t type = SURFACE_GROUND) {
    return {x, y, 1, type};
}

inline Blob blob_at(float x, float y) {
    return {x, y};
}

// A world in play with balls at rest at the given spots; a far blob keeps the level going.
inline GameState play_world(std::vector<std::pair<float, float>> spots) {
    random_reset();
    GameState gs;
    init_game_state(gs, int(spots.size()));
    for (size_t i = 0; i < spots.size(); ++i) {
        Player& p = gs.players[i];
        p.x = p.prev_x = p.pointer_x = spots[i].first;
        p.y = p.prev_y = p.pointer_y = spots[i].second;
        p.radius = 1;
        p.button_ready = {1, 1, 1};
    }
    gs.level.blobs = {Blob{5000, 5000}};
    gs.playing = true;
    return gs;
}

// Flat ground at y = -2 from x = -60 to 60 with the given blobs.
inline LevelData flat_level(std::vector<Blob> blobs) {
    return {{gp(-60, -2), gp(60, -2)}, {BasePoint{}, BasePoint{}}, std::move(blobs), {}, {}};
}

// A fresh folder for level files and the quick save, removed with the object.
struct TempDir {
    std::filesystem::path path;
    explicit TempDir(const std::string& name)
        : path(std::filesystem::temp_directory_path() / (name + std::to_string(getpid()))) {
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path / "levels");
    }
    ~TempDir() { std::filesystem::remove_all(path); }
    void write_level(int n, const LevelData& level) const {
        std::string error;
        write_level_file((path / "levels" / ("level" + std::to_string(n) + ".svg")).string(), level,
                         error);
    }
    // A game started in the menu in this folder, as the program leaves it.
    GameState start(FakeHost& host, int mice = 1, int level_index = 0) const {
        random_reset();
        GameState gs;
        init_game_state(gs, mice);
        gs.files_dir = path.string();
        gs.level_index = level_index;
        fill_menu_items(gs);
        reset_level(gs, host);
        return gs;
    }
};
