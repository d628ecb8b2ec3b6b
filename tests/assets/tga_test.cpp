// TGA reading without OpenGL: the accepted layouts, every refusal, and the resampling to
// power-of-two sides.
#include "assets/texture.h"
#include "assets/texture_scale.h"
#include "test_files.h"

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<uint8_t>;

// An uncompressed TGA: the 18-byte header, then `pixels` as given (B, G, R(, A) order).
Bytes make_tga(uint8_t width, uint8_t height, uint8_t bits, const Bytes& pixels) {
    Bytes b = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, width, 0, height, 0, bits, 0};
    b.insert(b.end(), pixels.begin(), pixels.end());
    return b;
}

// Each file is read into a record still holding an earlier image: a good one replaces it,
// a refused one leaves it empty, without a texture name, and says why.
TEST(TgaFile, LoadsTrueColourAndRefusesAllElseLeavingTheRecordEmpty) {
    ScratchDir dir;
    const Bytes good = make_tga(3, 2, 24, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16,
                                           17, 18});
    struct Case {
        std::string what;
        Bytes file;
        Bytes pixels; // empty: refused
    };
    Bytes longer = good, descriptor = make_tga(2, 1, 32, {10, 20, 30, 40, 50, 60, 70, 80});
    longer.insert(longer.end(), {0xEE, 0xEE, 0xEE});
    descriptor[17] = 0x28; // top-down flag and alpha bits: not interpreted
    std::vector<Case> cases = {
        {"junk after the pixels", longer,
         {3, 2, 1, 6, 5, 4, 9, 8, 7, 12, 11, 10, 15, 14, 13, 18, 17, 16}},
        {"32 bits", descriptor, {30, 20, 10, 40, 70, 60, 50, 80}},
        {"the largest header with no pixels", make_tga(255, 255, 32, {1, 2, 3}), {}},
    };
    cases.back().file[13] = cases.back().file[15] = 255;
    // Run-length encoded, an identifier, a colour map, colour-mapped, a colour map entry
    // size, an x origin, 16 and 8 bits, zero width and height.
    const std::pair<size_t, uint8_t> headers[] = {{2, 10}, {0, 1},   {1, 1},  {2, 1}, {7, 24},
                                                  {8, 1},  {16, 16}, {16, 8}, {12, 0}, {14, 0}};
    for (const auto& [at, value] : headers) {
        cases.push_back({"byte " + std::to_string(at) + " = " + std::to_string(value), good, {}});
        cases.back().file[at] = value;
    }
    for (size_t length : {0, 5, 12, 17, 18, 35})
        cases.push_back({"cut to " + std::to_string(length),
                         {good.begin(), good.begin() + long(length)},
                         {}});
    for (const Case& c : cases) {
        write_bytes(dir.file("a.tga"), c.file);
        Texture t{.pixels = {1, 2, 3}, .bits_per_pixel = 24, .width = 1, .height = 1,
                  .texture_id = 7};
        std::string error;
        EXPECT_EQ(read_tga_file(dir.file("a.tga"), t, error), !c.pixels.empty()) << c.what;
        EXPECT_EQ(error.empty(), !c.pixels.empty()) << c.what << ": " << error;
        EXPECT_EQ(t.pixels, c.pixels) << c.what;
        EXPECT_EQ(t.width * t.height * t.bits_per_pixel / 8, c.pixels.size()) << c.what;
        EXPECT_EQ(t.texture_id, 0u) << c.what;
    }
    for (const std::string& path : {dir.file("missing.tga"), dir.path.string()}) {
        Texture t;
        std::string error;
        EXPECT_FALSE(read_tga_file(path, t, error));
        EXPECT_NE(error, "");
    }
}

TEST(TextureScale, PowersOfTwoAndBoxFilter) {
    const std::pair<uint32_t, uint32_t> nearest[] = {{1, 1}, {3, 4}, {5, 4}, {6, 8}, {64, 64},
                                                     {65535, 65536}};
    for (const auto& [value, power] : nearest)
        EXPECT_EQ(nearest_power_of_two(value), power) << value;
    // Widening repeats, narrowing averages by covered area, in both directions.
    EXPECT_EQ(scale_pixels({0, 100}, 2, 1, 1, 4, 1), (Bytes{0, 0, 100, 100}));
    EXPECT_EQ(scale_pixels({0, 100, 200, 255}, 4, 1, 1, 2, 1), (Bytes{50, 228}));
    EXPECT_EQ(scale_pixels({0, 90, 30}, 3, 1, 1, 2, 1), (Bytes{30, 50}));
    EXPECT_EQ(scale_pixels({10, 20, 30, 40}, 1, 2, 2, 1, 1), (Bytes{20, 30}));
    EXPECT_EQ(scale_pixels({10, 20}, 1, 2, 1, 1, 4), (Bytes{10, 10, 20, 20}));
    EXPECT_TRUE(scale_pixels({1, 2}, 2, 2, 1, 4, 4).empty()); // too few source bytes
}

} // namespace
