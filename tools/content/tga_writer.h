// Encodes pictures as uncompressed true-colour TGA, the only layout the games load.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/content/image.h"

// 18-byte header (type 2, no id, no colour map), then B, G, R (, A) per pixel,
// bottom row first. 32 bits when the image has alpha, 24 otherwise.
std::vector<uint8_t> encode_tga(const Image& img);

// Binary PPM (P6), top row first, alpha dropped: a format every viewer reads the same way.
std::vector<uint8_t> encode_ppm(const Image& img);

// Converts a channel in [0, 1] to a byte, rounding to nearest.
uint8_t to_byte(float v);
