// Resampling an image to power-of-two sides before its mipmap levels are built.
// GLU's own scaler loses the last row of some images (a 3 × 2 image comes out with a black
// top row), so images are scaled here and GLU only ever halves.
#pragma once

#include <cstdint>
#include <vector>

// The power of two nearest to `value` (ties upwards), at least 1: 3 -> 4, 5 -> 4, 6 -> 8.
uint32_t nearest_power_of_two(uint32_t value);

// Box-filters `src` (width × height pixels of `components` bytes, rows unpadded) to
// new_width × new_height: each new pixel is the area-weighted mean of the pixels it covers.
std::vector<uint8_t> scale_pixels(const std::vector<uint8_t>& src, uint32_t width, uint32_t height,
                                  uint32_t components, uint32_t new_width, uint32_t new_height);
