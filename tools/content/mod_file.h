// Four-channel ProTracker modules ("M.K."): the record, its encoder and a reader that
// checks a file's structure and works out how long it plays before it loops.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

constexpr int MOD_CHANNELS = 4;
constexpr int MOD_ROWS = 64;
constexpr int MOD_SAMPLE_SLOTS = 31;
constexpr size_t MOD_HEADER_BYTES = 1084; // title, 31 sample headers, orders, tag

struct ModSample {
    std::string name;         // up to 22 characters
    std::vector<int8_t> data; // even length, at most 131070 bytes
    int finetune = 0;         // 0..15
    int volume = 64;          // 0..64
    size_t loop_start = 0;    // bytes, even
    size_t loop_length = 0;   // bytes, even; 0 or 2 means no loop
};

struct ModNote {
    int period = 0; // 0: no new note
    int sample = 0; // 1..31, 0: keep the channel's sample
    int effect = 0; // 0..15
    int param = 0;  // 0..255
};

using ModRow = std::array<ModNote, MOD_CHANNELS>;
using ModPattern = std::array<ModRow, MOD_ROWS>;

struct ModSong {
    std::string title;              // up to 20 characters
    std::vector<ModSample> samples; // at most 31, numbered from 1
    std::vector<int> orders;        // pattern numbers, 1..128 entries
    std::vector<ModPattern> patterns;
};

// Amiga periods of the three octaves, C-1 .. B-3, finetune 0.
extern const std::array<int, 36> MOD_PERIODS;
// Period of a note name such as "C-2", "F#1"; 0 for anything else.
int mod_period(const std::string& note);

std::vector<uint8_t> encode_mod(const ModSong& song);

struct ModCheck {
    bool ok = false;
    std::string error;
    int pattern_count = 0;
    int song_length = 0;
    double seconds_before_loop = 0;  // play time until playback returns to a row it played
    std::vector<int> sample_lengths; // bytes, per slot 1..31
};

// Checks a module's bytes: tag, sample headers, order table, the file's size against the
// patterns and samples it promises, and plays the pattern data through (speed, tempo,
// jumps and breaks) to measure its length.
ModCheck check_mod(std::span<const uint8_t> bytes);
