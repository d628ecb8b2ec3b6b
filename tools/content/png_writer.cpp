#include "tools/content/png_writer.h"

#include <algorithm>
#include <array>
#include <string>

#include "tools/content/tga_writer.h"

namespace {

// PNG stores every multi-byte field big-endian.
void put_u32_be(std::vector<uint8_t>& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<uint8_t>(v >> shift));
}

void put_chunk(std::vector<uint8_t>& out, const char type[4], const std::vector<uint8_t>& data) {
    put_u32_be(out, static_cast<uint32_t>(data.size()));
    const size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    put_u32_be(out, png_crc32(std::span(out).subspan(start)));
}

uint32_t adler32(const std::vector<uint8_t>& bytes) {
    uint32_t a = 1, b = 0;
    for (uint8_t v : bytes) {
        a = (a + v) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

// A zlib stream of stored blocks: each holds at most 65535 bytes behind its 5-byte header.
std::vector<uint8_t> zlib_stored(const std::vector<uint8_t>& raw) {
    std::vector<uint8_t> out = {0x78, 0x01}; // deflate, 32 KiB window, check bits
    size_t pos = 0;
    do {
        const size_t n = std::min<size_t>(raw.size() - pos, 65535);
        const bool last = pos + n == raw.size();
        out.push_back(last ? 1 : 0); // BFINAL, BTYPE 00 (stored)
        out.push_back(static_cast<uint8_t>(n & 0xFF));
        out.push_back(static_cast<uint8_t>(n >> 8));
        out.push_back(static_cast<uint8_t>(~n & 0xFF));
        out.push_back(static_cast<uint8_t>((~n >> 8) & 0xFF));
        out.insert(out.end(), raw.begin() + long(pos), raw.begin() + long(pos + n));
        pos += n;
    } while (pos < raw.size());
    put_u32_be(out, adler32(raw));
    return out;
}

} // namespace

uint32_t png_crc32(std::span<const uint8_t> bytes) {
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    uint32_t c = 0xFFFFFFFFu;
    for (uint8_t v : bytes)
        c = table[(c ^ v) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

std::vector<uint8_t> encode_png(const Image& img) {
    std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    put_u32_be(header, static_cast<uint32_t>(img.width));
    put_u32_be(header, static_cast<uint32_t>(img.height));
    header.insert(header.end(), {8, 6, 0, 0, 0}); // 8 bits, RGBA, deflate, filter 0, no interlace
    put_chunk(out, "IHDR", header);

    std::vector<uint8_t> raw;
    raw.reserve(static_cast<size_t>(img.height) * (1 + 4 * static_cast<size_t>(img.width)));
    for (int y = 0; y < img.height; ++y) {
        raw.push_back(0); // filter type "none" for every row
        for (int x = 0; x < img.width; ++x) {
            const Color& c = pixel(img, x, y);
            raw.insert(raw.end(), {to_byte(c.r), to_byte(c.g), to_byte(c.b),
                                   to_byte(img.has_alpha ? c.a : 1.0f)});
        }
    }
    put_chunk(out, "IDAT", zlib_stored(raw));
    put_chunk(out, "IEND", {});
    return out;
}
