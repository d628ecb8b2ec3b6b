// Writes a decoded image back as the TGA layout the games read: the fixed 18-byte header
// (type 2, no id, no colour map, descriptor 0) and the pixels in B, G, R (, A) order.
#pragma once

#include "assets/texture.h"

#include <cstdint>
#include <utility>
#include <vector>

inline std::vector<uint8_t> encode_tga_image(const Texture& image) {
    std::vector<uint8_t> out(TGA_HEADER_SIZE, 0);
    out[2] = 2;
    out[12] = uint8_t(image.width), out[13] = uint8_t(image.width >> 8);
    out[14] = uint8_t(image.height), out[15] = uint8_t(image.height >> 8);
    out[16] = uint8_t(image.bits_per_pixel);
    const size_t start = out.size();
    out.insert(out.end(), image.pixels.begin(), image.pixels.end());
    const size_t step = image.bits_per_pixel / 8;
    for (size_t i = start; step >= 3 && i + 2 < out.size(); i += step)
        std::swap(out[i], out[i + 2]);
    return out;
}
