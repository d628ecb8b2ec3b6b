#include "level/mygame_file.h"

#include "level/byte_io.h"
#include "level/safe_file.h"

#include <cmath>
#include <utility>

namespace {

// The first point of `points` with a coordinate that is not a finite number, or -1. Such a
// point would spread NaN through every body that touches the ground: the file is damaged.
template <class Points> int first_non_finite(const Points& points) {
    for (size_t i = 0; i < points.size(); ++i)
        if (!std::isfinite(points[i].x) || !std::isfinite(points[i].y))
            return int(i);
    return -1;
}

} // namespace

MyGameReadResult parse_mygame(std::span<const uint8_t> bytes, MyGameData& data) {
    ByteReader r{bytes};
    skip_bytes(r, 4); // the magic is not compared with anything
    int32_t count = read_i32(r);
    if (r.failed)
        return {MyGameReadStatus::damaged, "file is shorter than the 8-byte header"};
    // The count comes from the file: refuse one the rest of the file cannot hold.
    if (count < 0)
        return {MyGameReadStatus::damaged, "negative point count"};
    if (uint64_t(count) * 2 * MYGAME_POINT_BYTES > r.remaining())
        return {MyGameReadStatus::damaged,
                "file ends before its " + std::to_string(count) + " points"};

    std::vector<TopPoint> top(static_cast<size_t>(count));
    std::vector<BottomPoint> bottom(static_cast<size_t>(count));
    for (auto& p : top) {
        p.x = read_f32(r);
        p.y = read_f32(r);
        skip_bytes(r, 4);
    }
    for (auto& p : bottom) {
        p.x = read_f32(r);
        p.y = read_f32(r);
        skip_bytes(r, 4);
    }
    for (auto [line, bad] :
         {std::pair{"top", first_non_finite(top)}, std::pair{"bottom", first_non_finite(bottom)}})
        if (bad >= 0)
            return {MyGameReadStatus::damaged, std::string(line) + " point " + std::to_string(bad) +
                                                   " has a coordinate that is not a finite number"};
    data.top = std::move(top);
    data.bottom = std::move(bottom);
    return {};
}

MyGameReadResult read_mygame_file(const std::string& path, MyGameData& data) {
    std::vector<uint8_t> bytes;
    std::string error;
    FileReadStatus st = read_whole_file(path, bytes, error);
    if (st == FileReadStatus::cannot_open)
        return {MyGameReadStatus::cannot_open, error};
    if (st != FileReadStatus::ok)
        return {MyGameReadStatus::damaged, error};
    MyGameReadResult res = parse_mygame(bytes, data);
    if (res.status != MyGameReadStatus::ok)
        res.error = path + ": " + res.error;
    return res;
}

std::vector<uint8_t> encode_mygame(const MyGameData& data) {
    ByteWriter w;
    for (uint8_t b : {0x4C, 0x53, 0x44, 0x00})
        write_u8(w, b);
    size_t count = data.top.size();
    write_i32(w, int32_t(count));
    for (const TopPoint& p : data.top) {
        write_f32(w, p.x);
        write_f32(w, p.y);
        write_zeros(w, 4);
    }
    // A bottom line shorter than the top (never made by our code) is padded with top points
    // so the file always holds pointCount bottom records.
    for (size_t i = 0; i < count; ++i) {
        BottomPoint p = i < data.bottom.size() ? data.bottom[i]
                                               : BottomPoint{data.top[i].x, data.top[i].y};
        write_f32(w, p.x);
        write_f32(w, p.y);
        write_zeros(w, 4);
    }
    return std::move(w.bytes);
}

bool write_mygame_file(const std::string& path, const MyGameData& data, std::string& error) {
    return write_file_atomically(path, encode_mygame(data), error);
}

MyGameData mygame_start_ground() {
    MyGameData d;
    d.top = {{-10, 10}, {10, 10}};
    d.bottom = {{-10, -10}, {10, -10}};
    return d;
}
