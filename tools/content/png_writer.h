// Encodes pictures as PNG for the desktop icons: 8-bit RGBA, no filtering, the image data
// in "stored" (uncompressed) deflate blocks, so no compression library is needed.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "tools/content/image.h"

// CRC-32 of PNG chunks (polynomial 0xEDB88320), over `bytes`.
uint32_t png_crc32(std::span<const uint8_t> bytes);

// Signature, IHDR, one IDAT and IEND; top row first, alpha always written.
std::vector<uint8_t> encode_png(const Image& img);
