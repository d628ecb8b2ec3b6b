#include "level/byte_io.h"

#include <bit>
#include <limits>

static_assert(sizeof(float) == 4 && std::numeric_limits<float>::is_iec559,
              "files store IEEE 754 single precision reals");

uint8_t read_u8(ByteReader& r) {
    if (!r.can_read(1)) {
        r.failed = true;
        r.pos = r.bytes.size();
        return 0;
    }
    return r.bytes[r.pos++];
}

uint32_t read_u32(ByteReader& r) {
    if (!r.can_read(4)) {
        r.failed = true;
        r.pos = r.bytes.size();
        return 0;
    }
    const uint8_t* p = r.bytes.data() + r.pos;
    r.pos += 4;
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

int32_t read_i32(ByteReader& r) { return static_cast<int32_t>(read_u32(r)); }

float read_f32(ByteReader& r) { return std::bit_cast<float>(read_u32(r)); }

void skip_bytes(ByteReader& r, size_t n) {
    if (!r.can_read(n)) {
        r.failed = true;
        r.pos = r.bytes.size();
        return;
    }
    r.pos += n;
}

void write_u8(ByteWriter& w, uint8_t v) { w.bytes.push_back(v); }

void write_u32(ByteWriter& w, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        w.bytes.push_back(uint8_t(v >> (8 * i)));
}

void write_i32(ByteWriter& w, int32_t v) { write_u32(w, static_cast<uint32_t>(v)); }

void write_f32(ByteWriter& w, float v) { write_u32(w, std::bit_cast<uint32_t>(v)); }

void write_zeros(ByteWriter& w, size_t n) { w.bytes.insert(w.bytes.end(), n, 0); }
