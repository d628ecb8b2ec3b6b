#include "tools/content/noise.h"

#include <cmath>

uint32_t hash3(int x, int y, int z, uint32_t seed) {
    uint32_t h = seed * 0x9E3779B9u;
    h ^= static_cast<uint32_t>(x) * 0x85EBCA6Bu;
    h = (h << 13) | (h >> 19);
    h ^= static_cast<uint32_t>(y) * 0xC2B2AE35u;
    h = (h << 17) | (h >> 15);
    h ^= static_cast<uint32_t>(z) * 0x27D4EB2Fu;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

float hash_unit(int x, int y, uint32_t seed) {
    return (hash3(x, y, 0, seed) >> 8) * (1.0f / 16777216.0f);
}

float value_noise(float x, float y, int period, uint32_t seed) {
    float fx = std::floor(x), fy = std::floor(y);
    int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
    float tx = x - fx, ty = y - fy;
    tx = tx * tx * (3 - 2 * tx);
    ty = ty * ty * (3 - 2 * ty);
    auto corner = [&](int cx, int cy) {
        if (period > 0) {
            cx = ((cx % period) + period) % period;
            cy = ((cy % period) + period) % period;
        }
        return hash_unit(cx, cy, seed);
    };
    float a = corner(ix, iy), b = corner(ix + 1, iy);
    float c = corner(ix, iy + 1), d = corner(ix + 1, iy + 1);
    float top = a + (b - a) * tx;
    float bottom = c + (d - c) * tx;
    return top + (bottom - top) * ty;
}

float fractal_noise(float x, float y, int period, int octaves, uint32_t seed) {
    float sum = 0, weight = 0.5f, total = 0;
    for (int o = 0; o < octaves; ++o) {
        sum += value_noise(x, y, period, seed + o * 101u) * weight;
        total += weight;
        x *= 2;
        y *= 2;
        period *= 2;
        weight *= 0.5f;
    }
    return sum / total;
}

uint32_t Dice::next() {
    // xorshift32: plenty for placing decorations
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
}

float Dice::unit() {
    return (next() >> 8) * (1.0f / 16777216.0f);
}

float Dice::range(float lo, float hi) {
    return lo + (hi - lo) * unit();
}
