#include "tools/content/tga_writer.h"

#include <string>

#include "level/byte_io.h"

uint8_t to_byte(float v) {
    return static_cast<uint8_t>(clamp01(v) * 255.0f + 0.5f);
}

std::vector<uint8_t> encode_tga(const Image& img) {
    ByteWriter w;
    write_u8(w, 0);    // no image identifier
    write_u8(w, 0);    // no colour map
    write_u8(w, 2);    // uncompressed true colour
    write_zeros(w, 5); // colour-map fields
    write_zeros(w, 4); // x and y origin
    write_u8(w, static_cast<uint8_t>(img.width & 0xFF));
    write_u8(w, static_cast<uint8_t>(img.width >> 8));
    write_u8(w, static_cast<uint8_t>(img.height & 0xFF));
    write_u8(w, static_cast<uint8_t>(img.height >> 8));
    write_u8(w, img.has_alpha ? 32 : 24);
    write_u8(w, img.has_alpha ? 8 : 0); // alpha bits; origin bottom-left
    for (int y = img.height - 1; y >= 0; --y) {
        for (int x = 0; x < img.width; ++x) {
            const Color& c = pixel(img, x, y);
            write_u8(w, to_byte(c.b));
            write_u8(w, to_byte(c.g));
            write_u8(w, to_byte(c.r));
            if (img.has_alpha)
                write_u8(w, to_byte(c.a));
        }
    }
    return std::move(w.bytes);
}

std::vector<uint8_t> encode_ppm(const Image& img) {
    std::string head =
        "P6\n" + std::to_string(img.width) + " " + std::to_string(img.height) + "\n255\n";
    std::vector<uint8_t> out(head.begin(), head.end());
    for (const Color& c : img.pixels) {
        out.push_back(to_byte(c.r));
        out.push_back(to_byte(c.g));
        out.push_back(to_byte(c.b));
    }
    return out;
}
