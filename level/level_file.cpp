#include "level/level_file.h"

#include "level/byte_io.h"
#include "level/file_access.h"
#include "level/safe_file.h"

#include <cmath>

namespace {

constexpr uint8_t LEVEL_MAGIC[4] = {0x4C, 0x53, 0x44, 0x00};

void write_magic(ByteWriter& w) {
    for (uint8_t b : LEVEL_MAGIC)
        write_u8(w, b);
}

GroundPoint read_ground_point(ByteReader& r) {
    GroundPoint p;
    p.x = read_f32(r);
    p.y = read_f32(r);
    p.flag = read_u8(r);
    skip_bytes(r, 3);
    p.type = read_i32(r);
    return p;
}

BasePoint read_base_point(ByteReader& r) {
    BasePoint p;
    p.x = read_f32(r);
    p.y = read_f32(r);
    skip_bytes(r, 8);
    return p;
}

// The last point starts no segment; its type is still written as held, since the game
// uses it to choose the closing transition texture.
void write_ground_point(ByteWriter& w, const GroundPoint& p) {
    write_f32(w, p.x);
    write_f32(w, p.y);
    write_u8(w, p.flag);
    write_zeros(w, 3);
    write_i32(w, p.type);
}

void write_base_point(ByteWriter& w, const BasePoint& p) {
    write_f32(w, p.x);
    write_f32(w, p.y);
    write_zeros(w, 8);
}

bool finite_point(float x, float y) { return std::isfinite(x) && std::isfinite(y); }

// The first record whose coordinates are not finite numbers, as "<kind> <index>"; empty when
// every one is finite. A NaN blob could never be collected and a NaN or infinite ground
// point poisons every body that touches it, so such a file is refused as damaged.
template <class Records> std::string first_non_finite(const Records& records, const char* kind) {
    for (size_t i = 0; i < records.size(); ++i)
        if (!finite_point(records[i].x, records[i].y))
            return std::string(kind) + " " + std::to_string(i);
    return {};
}

} // namespace

bool blob_is_finite(const Blob& b) { return finite_point(b.x, b.y); }

void write_blob(ByteWriter& w, const Blob& b) {
    write_f32(w, b.x);
    write_f32(w, b.y);
    write_u8(w, b.present);
    write_zeros(w, 3);
    write_i32(w, b.kind);
}

Blob read_blob(ByteReader& r) {
    Blob b;
    b.x = read_f32(r);
    b.y = read_f32(r);
    b.present = read_u8(r);
    skip_bytes(r, 3);
    b.kind = read_i32(r);
    return b;
}

LevelReadResult parse_level(std::span<const uint8_t> bytes, LevelData& level,
                            const LevelReadOptions& options) {
    ByteReader r{bytes};
    skip_bytes(r, 4); // the magic is not compared with anything
    int32_t ground_count = read_i32(r);
    int32_t blob_count = read_i32(r);
    if (r.failed)
        return {LevelReadStatus::damaged, "file is shorter than the 12-byte header"};
    // Counts come straight from the file: refuse any the remaining bytes cannot hold, so a
    // damaged file can neither allocate wildly nor leave a half-read level.
    if (ground_count < 0 || blob_count < 0)
        return {LevelReadStatus::damaged, "negative record count"};
    uint64_t need = uint64_t(ground_count) * (GROUND_POINT_BYTES + BASE_POINT_BYTES) +
                    uint64_t(blob_count) * BLOB_BYTES;
    if (need > r.remaining())
        return {LevelReadStatus::damaged,
                "file ends before its " + std::to_string(ground_count) + " ground points and " +
                    std::to_string(blob_count) + " blobs"};

    std::vector<GroundPoint> ground(static_cast<size_t>(ground_count));
    std::vector<BasePoint> base(static_cast<size_t>(ground_count));
    std::vector<Blob> blobs(static_cast<size_t>(blob_count));
    for (auto& p : ground)
        p = read_ground_point(r);
    for (auto& p : base)
        p = read_base_point(r);
    for (auto& b : blobs)
        b = read_blob(r);
    for (const std::string& bad :
         {first_non_finite(ground, "ground point"), first_non_finite(base, "base point"),
          first_non_finite(blobs, "blob")})
        if (!bad.empty())
            return {LevelReadStatus::damaged,
                    bad + " has a coordinate that is not a finite number"};

    if (options.copy_first_type_to_last && !ground.empty())
        ground.back().type = ground.front().type;

    level.ground = std::move(ground);
    level.base = std::move(base);
    level.blobs = std::move(blobs);
    return {};
}

LevelReadResult read_level_file(const std::string& path, LevelData& level,
                                const LevelReadOptions& options) {
    return read_level_file(disk_files(), path, level, options);
}

LevelReadResult read_level_file(FileAccess& files, const std::string& path, LevelData& level,
                                const LevelReadOptions& options) {
    std::vector<uint8_t> bytes;
    std::string error;
    FileReadStatus st = files.read(path, bytes, error);
    if (st == FileReadStatus::cannot_open)
        return {LevelReadStatus::cannot_open, error};
    if (st != FileReadStatus::ok)
        return {LevelReadStatus::damaged, error};
    LevelReadResult res = parse_level(bytes, level, options);
    if (res.status != LevelReadStatus::ok)
        res.error = path + ": " + res.error;
    return res;
}

std::vector<uint8_t> encode_level(const LevelData& level, const LevelWriteOptions& options) {
    ByteWriter w;
    size_t count = level.ground.size();
    write_magic(w);
    write_i32(w, int32_t(count));
    write_i32(w, int32_t(level.blobs.size()));
    for (const GroundPoint& p : level.ground)
        write_ground_point(w, p);
    // A base line shorter than the ground line (never made by our code) is padded with the
    // ground points themselves, so the file always holds groundCount base points.
    for (size_t i = 0; i < count; ++i)
        write_base_point(w, i < level.base.size()
                                ? level.base[i]
                                : BasePoint{level.ground[i].x, level.ground[i].y});
    for (const Blob& b : level.blobs)
        write_blob(w, b);
    if (options.write_trailing) {
        write_i32(w, int32_t(level.balls.size()));
        for (const BallMark& m : level.balls) {
            write_f32(w, m.x);
            write_f32(w, m.y);
            write_f32(w, m.radius);
            write_u8(w, m.flag);
            write_zeros(w, 3);
        }
        write_i32(w, int32_t(level.sheep.size()));
        for (const SheepMark& m : level.sheep) {
            write_f32(w, m.x);
            write_f32(w, m.y);
            write_f32(w, m.unused_a);
            write_f32(w, m.unused_b);
            write_f32(w, m.radius);
            write_f32(w, m.unused_c);
            write_f32(w, m.unused_d);
            write_u8(w, m.flag);
            write_zeros(w, 3);
        }
    }
    return std::move(w.bytes);
}

bool write_level_file(const std::string& path, const LevelData& level, std::string& error,
                      const LevelWriteOptions& options) {
    return write_file_atomically(path, encode_level(level, options), error);
}

LevelData editor_start_level() {
    LevelData level;
    level.ground = {{-10, -3, 1, SURFACE_GROUND}, {10, -3, 1, SURFACE_GROUND}};
    level.base = {{-10, -10}, {10, -10}};
    level.blobs = {{3, 1, 1, 1}};
    level.balls = {{1, 3, 1, 1}};
    level.sheep = {{2, 2, 2, 2, 1, 2, 2, 1}};
    return level;
}
