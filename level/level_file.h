// The level file: ground line, base line, blobs and the editor's trailing marks.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

enum SurfaceType : int32_t {
    SURFACE_GROUND = 1,
    SURFACE_ICE = 2,
    SURFACE_SPIKES = 3,
};

// Sizes of the records on disk.
constexpr size_t LEVEL_HEADER_BYTES = 12;
constexpr size_t GROUND_POINT_BYTES = 16;
constexpr size_t BASE_POINT_BYTES = 16;
constexpr size_t BLOB_BYTES = 16;
constexpr size_t BALL_MARK_BYTES = 16;
constexpr size_t SHEEP_MARK_BYTES = 32;

struct GroundPoint {
    float x = 0, y = 0;
    uint8_t flag = 1;      // the editor writes 1; nobody reads it
    int32_t type = SURFACE_GROUND; // surface of the segment from this point to the next

    bool operator==(const GroundPoint&) const = default;
};

struct BasePoint {
    float x = 0, y = 0;

    bool operator==(const BasePoint&) const = default;
};

struct Blob {
    float x = 0, y = 0;
    uint8_t present = 1; // 1 present, 0 collected
    int32_t kind = 1;    // the editor writes 1; nobody reads it

    bool operator==(const Blob&) const = default;
};

struct BallMark {
    float x = 0, y = 0, radius = 1;
    uint8_t flag = 1;

    bool operator==(const BallMark&) const = default;
};

struct SheepMark {
    float x = 0, y = 0;
    float unused_a = 2, unused_b = 2; // reals at offsets 8 and 12: written, never read
    float radius = 1;
    float unused_c = 2, unused_d = 2; // reals at offsets 20 and 24
    uint8_t flag = 1;

    bool operator==(const SheepMark&) const = default;
};

// One level in memory. `ground` and `base` always have the same length.
struct LevelData {
    std::vector<GroundPoint> ground;
    std::vector<BasePoint> base;
    std::vector<Blob> blobs;
    std::vector<BallMark> balls;  // trailing section: written by the editor only
    std::vector<SheepMark> sheep; // trailing section: written by the editor only

    bool operator==(const LevelData&) const = default;
};

struct LevelReadOptions {
    // The game copies the type of ground point 0 into the last ground point after reading.
    bool copy_first_type_to_last = false;
};

struct LevelWriteOptions {
    // The editor appends ballCount, ball marks, sheepCount and sheep marks.
    bool write_trailing = true;
};

enum class LevelReadStatus {
    ok,
    cannot_open, // no such file, or no permission: the caller's "missing file" path
    damaged,     // the bytes do not hold a level; `error` says what is wrong
};

struct LevelReadResult {
    LevelReadStatus status = LevelReadStatus::ok;
    std::string error; // empty when ok
};

// Decodes a level from bytes. A file whose counts the bytes cannot hold, or with a ground,
// base or blob coordinate that is not a finite number (NaN or infinite), is damaged; finite
// values are accepted however large, since a level may be large. On success replaces
// `level.ground`, `level.base` and `level.blobs`; the trailing marks are never read and
// `level.balls`/`level.sheep` are kept. On failure `level` is left exactly as it was.
LevelReadResult parse_level(std::span<const uint8_t> bytes, LevelData& level,
                            const LevelReadOptions& options = {});

// Reads a level file; same contract as parse_level, plus cannot_open for a missing file.
LevelReadResult read_level_file(const std::string& path, LevelData& level,
                                const LevelReadOptions& options = {});
// The same, with the bytes taken from `files` instead of the disk.
LevelReadResult read_level_file(class FileAccess& files, const std::string& path, LevelData& level,
                                const LevelReadOptions& options = {});

// Encodes a level; padding, spare words and meaningless bytes are zero.
std::vector<uint8_t> encode_level(const LevelData& level, const LevelWriteOptions& options = {});

// Writes the file crash-safely: the old file survives any failure. Returns false with
// `error` set on failure.
bool write_level_file(const std::string& path, const LevelData& level, std::string& error,
                      const LevelWriteOptions& options = {});

// Blob records in their 16-byte layout; the quick save reuses them.
void write_blob(struct ByteWriter& w, const Blob& blob);
Blob read_blob(struct ByteReader& r);
// True when both coordinates of the blob are finite numbers; readers refuse other blobs.
bool blob_is_finite(const Blob& blob);

// The level the editor starts with (and writes when saved untouched: 148 bytes).
LevelData editor_start_level();
