// Little-endian field readers and writers for the binary files of the games.
// Every multi-byte value on disk goes through these, never through a struct dump.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// Reads fields from a byte buffer. A read past the end sets `failed` and yields zero,
// so a parser can read a whole record and check once.
struct ByteReader {
    std::span<const uint8_t> bytes;
    size_t pos = 0;
    bool failed = false;

    size_t remaining() const { return pos <= bytes.size() ? bytes.size() - pos : 0; }
    bool can_read(size_t n) const { return n <= remaining(); }
};

uint8_t read_u8(ByteReader& r);
uint32_t read_u32(ByteReader& r);
int32_t read_i32(ByteReader& r);
float read_f32(ByteReader& r);
void skip_bytes(ByteReader& r, size_t n);

// Appends fields to a growing buffer.
struct ByteWriter {
    std::vector<uint8_t> bytes;
};

void write_u8(ByteWriter& w, uint8_t v);
void write_u32(ByteWriter& w, uint32_t v);
void write_i32(ByteWriter& w, int32_t v);
void write_f32(ByteWriter& w, float v);
void write_zeros(ByteWriter& w, size_t n);
