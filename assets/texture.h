// Uncompressed true-colour TGA images and the OpenGL textures made from them.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// A loaded image with its OpenGL texture name. The pixels stay in the record after the
// upload; loading into the same record again replaces (and frees) them.
struct Texture {
    std::vector<uint8_t> pixels; // bottom row first, RGB or RGBA order
    uint32_t bits_per_pixel = 0; // 24 or 32
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t texture_id = 0; // 0: no texture name (surfaces draw untextured)
};

// How the pixels are handed to OpenGL.
enum class TextureUpload {
    mipmapped,    // every mipmap level built by GLU; any width and height
    single_level, // one level 0 image; width and height should be powers of two
};

// Size of the fixed part in front of the pixels.
constexpr size_t TGA_HEADER_SIZE = 18;

// Checks the 18-byte header and fills width, height and bits_per_pixel of `image`.
// Returns false with `error` set when the file is not an uncompressed 24/32-bit TGA.
bool parse_tga_header(std::span<const uint8_t> header, Texture& image, std::string& error);

// Decodes a whole TGA file held in memory into `image` (pixels swapped to RGB/RGBA).
// On failure `image` is left empty and `error` says why.
bool decode_tga(std::span<const uint8_t> bytes, Texture& image, std::string& error);

// Reads a TGA file from disk into `image`, without touching OpenGL. The file's length is
// checked against the header before anything is allocated. On failure `image` is left
// empty (no pixels, no texture name) and `error` says why.
bool read_tga_file(const std::string& path, Texture& image, std::string& error);

// Reads `path` and uploads it as a 2D texture of the current GL context into `texture`.
// Returns true when the texture was created. The default is the mipmapped variant.
bool load_tga_texture(Texture& texture, const std::string& path,
                      TextureUpload upload = TextureUpload::mipmapped);

// Creates a texture name for the pixels already in `texture` and uploads them.
// Needs a current GL context. Returns false when the record holds no image.
bool upload_texture(Texture& texture, TextureUpload upload);
