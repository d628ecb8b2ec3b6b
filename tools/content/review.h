// One picture to judge the content by: every texture side by side, then every level
// and the prototypes' ground drawn from the side.
#pragma once

#include <string>
#include <vector>

#include "level/level_file.h"
#include "level/mygame_file.h"
#include "tools/content/image.h"

struct ReviewLevel {
    std::string name;
    LevelData level; // as the game reads it
};

Image render_review(const std::vector<NamedImage>& images, const std::vector<ReviewLevel>& levels,
                    const MyGameData& mygame);
