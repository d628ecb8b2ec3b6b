// Writes the whole content folder: Data/, sounds/, vornrope.wav, music.mod, levels/,
// MyGame.svg.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/content/review.h"

struct ContentResult {
    bool ok = false;
    std::string error;
    std::vector<std::string> written; // paths relative to the output folder
    bool kept_user_ground = false;
};

// Compiles levels/level<N>.txt from `level_source_dir` (N = 1, 2, ... until one is missing).
bool load_levels(const std::string& level_source_dir, std::vector<ReviewLevel>& levels,
                 std::string& error);

// FNV-1a, 64 bits: fingerprints the prototypes' ground this tool wrote last.
uint64_t content_fingerprint(const std::vector<uint8_t>& bytes);

// The editor of the prototypes saves over MyGame.svg in the content folder. A MyGame.svg
// that is not the one this tool wrote last (its fingerprint is kept in MYGAME_RECORD) is
// the user's work and is left as it is; `kept_user_ground` then says so.
constexpr const char* MYGAME_RECORD = ".MyGame.svg.generated";

ContentResult write_content(const std::string& output_dir, const std::string& level_source_dir);

// Renders the review picture and writes it as a 24-bit TGA.
bool write_review(const std::string& path, const std::string& level_source_dir, std::string& error);
