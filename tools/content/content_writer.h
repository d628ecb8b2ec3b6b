// Writes the whole content folder: Data/, sounds/, vornrope.wav, music.mod, levels/,
// MyGame.svg.
#pragma once

#include <string>
#include <vector>

#include "tools/content/review.h"

struct ContentResult {
    bool ok = false;
    std::string error;
    std::vector<std::string> written; // paths relative to the output folder
};

// Compiles levels/level<N>.txt from `level_source_dir` (N = 1, 2, ... until one is missing).
bool load_levels(const std::string& level_source_dir, std::vector<ReviewLevel>& levels,
                 std::string& error);

ContentResult write_content(const std::string& output_dir, const std::string& level_source_dir);

// Renders the review picture and writes it as a 24-bit TGA.
bool write_review(const std::string& path, const std::string& level_source_dir, std::string& error);
