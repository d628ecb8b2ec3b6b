// RGB images read back from the window, and the reference files they are compared with.
// A reference file holds the width and height (4 bytes each, little-endian) and then one
// zlib stream of the rows, bottom row first, every byte stored as its difference from the
// byte three before it in the row (neighbouring pixels are alike, so the differences pack).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct RgbImage {
    int width = 0, height = 0;
    std::vector<uint8_t> rgb; // width x height x 3, bottom row first
};

// The front buffer of the current context.
RgbImage read_window(int width, int height);

bool save_reference(const std::string& path, const RgbImage& image);
// False when the file is missing, damaged or of an unlikely size.
bool load_reference(const std::string& path, RgbImage& image);
// A binary PPM (top row first), for looking at a failed comparison.
bool save_ppm(const std::string& path, const RgbImage& image);

struct ImageDifference {
    int pixels = 0;       // pixels with any channel different
    int largest_step = 0; // largest difference of one channel
};

// Images of different sizes differ in every pixel.
ImageDifference compare_images(const RgbImage& a, const RgbImage& b);
