// Helpers for building little-endian byte images in tests.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

inline void put_u32(std::vector<uint8_t>& v, uint32_t x) {
    for (int i = 0; i < 4; ++i)
        v.push_back(uint8_t(x >> (8 * i)));
}
inline void put_i32(std::vector<uint8_t>& v, int32_t x) { put_u32(v, uint32_t(x)); }
inline void put_f32(std::vector<uint8_t>& v, float x) { put_u32(v, std::bit_cast<uint32_t>(x)); }

inline uint32_t get_u32(const std::vector<uint8_t>& v, size_t at) {
    return uint32_t(v[at]) | uint32_t(v[at + 1]) << 8 | uint32_t(v[at + 2]) << 16 |
           uint32_t(v[at + 3]) << 24;
}
inline int32_t get_i32(const std::vector<uint8_t>& v, size_t at) { return int32_t(get_u32(v, at)); }
inline float get_f32(const std::vector<uint8_t>& v, size_t at) {
    return std::bit_cast<float>(get_u32(v, at));
}
// The bytes as lower-case hex, for whole-file comparisons.
inline std::string hex(const std::vector<uint8_t>& v) {
    std::string s;
    for (uint8_t b : v) {
        s += "0123456789abcdef"[b >> 4];
        s += "0123456789abcdef"[b & 15];
    }
    return s;
}
