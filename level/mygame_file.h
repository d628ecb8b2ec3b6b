// "MyGame.svg": the prototypes' ground, a top line and a bottom line of points.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

constexpr size_t MYGAME_HEADER_BYTES = 8;
constexpr size_t MYGAME_POINT_BYTES = 12;

struct TopPoint {
    float x = 0, y = 0;

    bool operator==(const TopPoint&) const = default;
};

struct BottomPoint {
    float x = 0, y = 0;

    bool operator==(const BottomPoint&) const = default;
};

// `top` and `bottom` always have the same length.
struct MyGameData {
    std::vector<TopPoint> top;
    std::vector<BottomPoint> bottom;

    bool operator==(const MyGameData&) const = default;
};

enum class MyGameReadStatus { ok, cannot_open, damaged };

struct MyGameReadResult {
    MyGameReadStatus status = MyGameReadStatus::ok;
    std::string error;
};

// Decodes the file; on failure `data` is left exactly as it was. A count the bytes cannot
// hold, or a point with a coordinate that is not a finite number, makes the file damaged;
// finite values are accepted however large.
MyGameReadResult parse_mygame(std::span<const uint8_t> bytes, MyGameData& data);
MyGameReadResult read_mygame_file(const std::string& path, MyGameData& data);

std::vector<uint8_t> encode_mygame(const MyGameData& data);
// Crash-safe: the old file survives any failure. Returns false with `error` set.
bool write_mygame_file(const std::string& path, const MyGameData& data, std::string& error);

// The ground the editor starts with (56 bytes when saved untouched).
MyGameData mygame_start_ground();
