// The games' command line: play, record a run, or replay one.
#pragma once

#include <string>

enum class GameMode { play, record, replay };

struct GameOptions {
    GameMode mode = GameMode::play;
    std::string file;      // the replay written or read
    bool headless = false; // replay without window or sound
    bool help = false;
};

// Exit codes beyond 0 (done, every digest matched) and 1 (a digest differed).
constexpr int EXIT_USAGE = 2;
constexpr int EXIT_REPLAY_FILE = 3; // the replay cannot be read, or the recording written

// False with `error` for an unknown option, a missing FILE or a combination that makes no
// sense; the caller then prints the usage and ends with EXIT_USAGE.
bool parse_game_options(int argc, const char* const* argv, GameOptions& options,
                        std::string& error);

std::string game_usage(const std::string& program);
