// Reading and saving "MyGame.svg" with the user told about failures.
#pragma once

#include "level/mygame_file.h"
#include "editing/input.h"

#include <string>

inline constexpr const char* MYGAME_FILE_NAME = "MyGame.svg";

// Replaces `ground` with the file's content. A missing or damaged file shows the load
// error and leaves `ground` as it was. Returns true on success.
bool load_ground(const std::string& path, MyGameData& ground, ErrorReporter& errors);

// Writes the file atomically; a failure shows the save error and the old file stays.
bool save_ground(const std::string& path, const MyGameData& ground, ErrorReporter& errors);
