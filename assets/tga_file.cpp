// Reading uncompressed true-colour TGA files: header checks, pixel data, BGR to RGB.
#include "assets/texture.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <sys/stat.h>

namespace {

// No image identifier, no colour map, image type 2 (uncompressed true colour), colour-map
// fields and origin all zero. Anything else (RLE, palettes, ids) is refused here.
constexpr uint8_t ACCEPTED_PREFIX[12] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};

void swap_red_blue(Texture& image) {
    const size_t step = image.bits_per_pixel / 8;
    for (size_t i = 0; i + 2 < image.pixels.size(); i += step) {
        std::swap(image.pixels[i], image.pixels[i + 2]);
    }
}

// Bytes of pixel data the header announces; fits easily in 64 bits (65535² × 4).
uint64_t pixel_bytes(const Texture& image) {
    return uint64_t(image.width) * image.height * (image.bits_per_pixel / 8);
}

// Allocates the pixel buffer; a refused allocation is a refused file, not a crash.
bool allocate_pixels(Texture& image, uint64_t size, std::string& error) {
    try {
        image.pixels.assign(size, 0);
    } catch (const std::bad_alloc&) {
        error = "not enough memory for the pixels";
        return false;
    }
    return true;
}

void clear_image(Texture& image) {
    image = Texture{};
}

} // namespace

bool parse_tga_header(std::span<const uint8_t> header, Texture& image, std::string& error) {
    if (header.size() < TGA_HEADER_SIZE) {
        error = "file too short for a TGA header";
        return false;
    }
    if (std::memcmp(header.data(), ACCEPTED_PREFIX, sizeof ACCEPTED_PREFIX) != 0) {
        error = "not an uncompressed true-colour TGA without id or colour map";
        return false;
    }
    const uint32_t width = header[12] | (uint32_t(header[13]) << 8);
    const uint32_t height = header[14] | (uint32_t(header[15]) << 8);
    const uint32_t bits = header[16];
    // header[17], the image descriptor, is ignored: rows are taken bottom first.
    // A zero side would make an empty image that OpenGL cannot use.
    if (width == 0 || height == 0) {
        error = "image width or height is zero";
        return false;
    }
    if (bits != 24 && bits != 32) {
        error = "only 24 and 32 bits per pixel are supported";
        return false;
    }
    image.width = width;
    image.height = height;
    image.bits_per_pixel = bits;
    return true;
}

bool decode_tga(std::span<const uint8_t> bytes, Texture& image, std::string& error) {
    clear_image(image);
    Texture decoded;
    if (!parse_tga_header(bytes, decoded, error)) {
        return false;
    }
    const uint64_t size = pixel_bytes(decoded);
    // A file cut short inside the pixel data is refused before anything is copied.
    if (bytes.size() - TGA_HEADER_SIZE < size) {
        error = "file cut short inside the pixel data";
        return false;
    }
    if (!allocate_pixels(decoded, size, error)) {
        return false;
    }
    std::memcpy(decoded.pixels.data(), bytes.data() + TGA_HEADER_SIZE, size);
    swap_red_blue(decoded);
    image = std::move(decoded);
    return true;
}

bool read_tga_file(const std::string& path, Texture& image, std::string& error) {
    // The earlier image (from a previous load into the same record) goes first, so a
    // reload after a window rebuild never keeps two copies of the pixels.
    clear_image(image);
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        error = "cannot open " + path;
        return false;
    }
    Texture decoded;
    bool ok = false;
    uint8_t header[TGA_HEADER_SIZE];
    struct stat info {};
    if (std::fread(header, 1, sizeof header, file) != sizeof header) {
        error = "file too short for a TGA header";
    } else if (!parse_tga_header(header, decoded, error)) {
        // error set by the header check
    } else if (fstat(fileno(file), &info) != 0 || !S_ISREG(info.st_mode)) {
        error = "not a regular file";
    } else if (info.st_size < off_t(TGA_HEADER_SIZE) ||
               uint64_t(info.st_size) - TGA_HEADER_SIZE < pixel_bytes(decoded)) {
        // Checked before allocating: a damaged header must not reserve gigabytes.
        error = "file cut short inside the pixel data";
    } else if (allocate_pixels(decoded, pixel_bytes(decoded), error)) {
        if (std::fread(decoded.pixels.data(), 1, decoded.pixels.size(), file) !=
            decoded.pixels.size()) {
            error = "file cut short inside the pixel data";
        } else {
            ok = true;
        }
    }
    std::fclose(file);
    if (!ok) {
        return false;
    }
    swap_red_blue(decoded);
    image = std::move(decoded);
    return true;
}
