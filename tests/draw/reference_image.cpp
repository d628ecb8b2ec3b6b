#include "tests/draw/reference_image.h"

#include <GL/gl.h>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace {

constexpr int LARGEST_SIDE = 4096;

void put_u32(std::vector<uint8_t>& out, uint32_t v) {
    for (int k = 0; k < 4; ++k)
        out.push_back(uint8_t(v >> (8 * k)));
}

uint32_t get_u32(const std::vector<uint8_t>& in, size_t at) {
    uint32_t v = 0;
    for (int k = 0; k < 4; ++k)
        v |= uint32_t(in[at + size_t(k)]) << (8 * k);
    return v;
}

} // namespace

RgbImage read_window(int width, int height) {
    RgbImage image{width, height, std::vector<uint8_t>(size_t(width) * size_t(height) * 3)};
    glFinish();
    glReadBuffer(GL_FRONT);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, image.rgb.data());
    return image;
}

bool save_reference(const std::string& path, const RgbImage& image) {
    const size_t row = size_t(image.width) * 3;
    std::vector<uint8_t> filtered(image.rgb.size());
    for (size_t i = 0; i < image.rgb.size(); ++i)
        filtered[i] = i % row < 3 ? image.rgb[i] : uint8_t(image.rgb[i] - image.rgb[i - 3]);
    uLongf packed_size = compressBound(uLong(filtered.size()));
    std::vector<uint8_t> out;
    put_u32(out, uint32_t(image.width));
    put_u32(out, uint32_t(image.height));
    out.resize(8 + packed_size);
    if (compress2(out.data() + 8, &packed_size, filtered.data(), uLong(filtered.size()), 9) != Z_OK)
        return false;
    out.resize(8 + packed_size);
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(out.data()), std::streamsize(out.size()));
    return bool(file);
}

bool load_reference(const std::string& path, RgbImage& image) {
    std::ifstream file(path, std::ios::binary);
    const std::vector<uint8_t> in{std::istreambuf_iterator<char>(file),
                                  std::istreambuf_iterator<char>()};
    // The size fields must be there before they are read.
    if (in.size() < 8)
        return false;
    const uint32_t width = get_u32(in, 0), height = get_u32(in, 4);
    // A damaged size must not make a huge allocation.
    if (width == 0 || height == 0 || width > LARGEST_SIDE || height > LARGEST_SIDE)
        return false;
    const size_t row = size_t(width) * 3;
    std::vector<uint8_t> filtered(row * height);
    uLongf unpacked = uLongf(filtered.size());
    if (uncompress(filtered.data(), &unpacked, in.data() + 8, uLong(in.size() - 8)) != Z_OK ||
        unpacked != filtered.size())
        return false;
    for (size_t i = 0; i < filtered.size(); ++i)
        if (i % row >= 3)
            filtered[i] = uint8_t(filtered[i] + filtered[i - 3]);
    image = {int(width), int(height), std::move(filtered)};
    return true;
}

bool save_ppm(const std::string& path, const RgbImage& image) {
    std::ofstream file(path, std::ios::binary);
    file << "P6\n" << image.width << " " << image.height << "\n255\n";
    const size_t row = size_t(image.width) * 3;
    for (int y = image.height - 1; y >= 0; --y)
        file.write(reinterpret_cast<const char*>(image.rgb.data() + size_t(y) * row),
                   std::streamsize(row));
    return bool(file);
}

ImageDifference compare_images(const RgbImage& a, const RgbImage& b) {
    if (a.width != b.width || a.height != b.height || a.rgb.size() != b.rgb.size())
        return {std::max(a.width * a.height, b.width * b.height), 255};
    ImageDifference d;
    for (size_t p = 0; p + 2 < a.rgb.size(); p += 3) {
        int step = 0;
        for (size_t c = 0; c < 3; ++c)
            step = std::max(step, std::abs(int(a.rgb[p + c]) - int(b.rgb[p + c])));
        d.pixels += step > 0;
        d.largest_step = std::max(d.largest_step, step);
    }
    return d;
}
