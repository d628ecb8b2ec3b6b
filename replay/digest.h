// A digest of a simulation state: 64-bit FNV-1a over every field, taken field by field in a
// fixed order (reals by their bit pattern), so two states digest alike exactly when they
// hold the same values, whatever the padding between the fields.
#pragma once

#include "level/level_file.h"
#include "physics/world_parts.h"

#include <cstddef>
#include <cstdint>
#include <span>

struct Fnv1a {
    uint64_t hash = 14695981039346656037ull;

    void byte(uint8_t b) {
        hash ^= b;
        hash *= 1099511628211ull;
    }
    void u8(uint8_t v) { byte(v); }
    void flag(bool v) { byte(v ? 1 : 0); }
    void u32(uint32_t v);
    void i32(int32_t v) { u32(static_cast<uint32_t>(v)); }
    void f32(float v);
    void u64(uint64_t v);
    void bytes(std::span<const uint8_t> b);
    // A count of records, so that moving a value between two lists changes the digest.
    void count(size_t n) { u64(uint64_t(n)); }
};

// The records both games share.
void digest_rope(Fnv1a& d, const Rope& rope);
void digest_sheep(Fnv1a& d, const Sheep& sheep);
void digest_world_common(Fnv1a& d, const WorldCommon& w);
void digest_level(Fnv1a& d, const LevelData& level);
