// TGA reading without OpenGL: accepted layouts, every refusal, damaged bytes, reloads.
#include "assets/texture.h"
#include "assets/texture_scale.h"
#include "test_files.h"

#include <gtest/gtest.h>
#include <random>

namespace {

// 3 x 2 pixels, B G R each, bottom row first.
const std::vector<uint8_t> PIXELS_3X2 = {1,  2,  3,  4,  5,  6,  7,  8,  9,
                                         10, 11, 12, 13, 14, 15, 16, 17, 18};

Texture load(const std::string& path, bool expect_ok) {
    Texture t;
    std::string error;
    EXPECT_EQ(read_tga_file(path, t, error), expect_ok) << path << ": " << error;
    EXPECT_EQ(error.empty(), expect_ok);
    return t;
}

TEST(TgaFile, TwentyFourAndThirtyTwoBitImagesLoadWithSwappedBytes) {
    ScratchDir dir;
    auto bytes = make_tga(3, 2, 24, PIXELS_3X2);
    bytes.insert(bytes.end(), {0xEE, 0xEE, 0xEE}); // anything after the pixels is ignored
    write_bytes(dir.file("a.tga"), bytes);
    Texture t = load(dir.file("a.tga"), true);
    EXPECT_EQ(t.width, 3u);
    EXPECT_EQ(t.height, 2u);
    EXPECT_EQ(t.bits_per_pixel, 24u);
    EXPECT_EQ(t.texture_id, 0u);
    const std::vector<uint8_t> rgb = {3,  2,  1,  6,  5,  4,  9,  8,  7,
                                      12, 11, 10, 15, 14, 13, 18, 17, 16};
    EXPECT_EQ(t.pixels, rgb);
    // 32 bits keep alpha; the descriptor byte (top-down flag, alpha bits) is not interpreted.
    bytes = make_tga(2, 1, 32, {10, 20, 30, 40, 50, 60, 70, 80});
    bytes[17] = 0x28;
    write_bytes(dir.file("b.tga"), bytes);
    EXPECT_EQ(load(dir.file("b.tga"), true).pixels,
              (std::vector<uint8_t>{30, 20, 10, 40, 70, 60, 50, 80}));
}

TEST(TgaFile, RefusesOtherHeadersAndMissingShortAndCutFiles) {
    ScratchDir dir;
    const auto good = make_tga(3, 2, 24, PIXELS_3X2);
    struct Case {
        const char* what;
        size_t offset;
        uint8_t value;
    };
    const Case cases[] = {
        {"run-length encoded (type 10)", 2, 10},
        {"image identifier", 0, 1},
        {"colour map present", 1, 1},
        {"colour-mapped type 1", 2, 1},
        {"colour map entry size", 7, 24},
        {"x origin", 8, 1},
        {"16 bits", 16, 16},
        {"8 bits", 16, 8},
        {"zero width", 12, 0},
        {"zero height", 14, 0},
    };
    for (const Case& c : cases) {
        auto bytes = good;
        bytes[c.offset] = c.value;
        write_bytes(dir.file("bad.tga"), bytes);
        Texture t = load(dir.file("bad.tga"), false);
        EXPECT_TRUE(t.pixels.empty()) << c.what;
        EXPECT_EQ(t.texture_id, 0u) << c.what;
    }
    load(dir.file("missing.tga"), false);
    load(dir.path.string(), false); // a folder opens but is no image
    for (size_t length : {size_t(0), size_t(5), size_t(12), size_t(17), size_t(18), size_t(35)}) {
        write_bytes(dir.file("cut.tga"), {good.begin(), good.begin() + long(length)});
        Texture t = load(dir.file("cut.tga"), false);
        EXPECT_TRUE(t.pixels.empty()) << length;
    }
    // The largest image a header can announce, with no pixels behind it: refused before
    // anything is allocated.
    write_bytes(dir.file("huge.tga"), make_tga(65535, 65535, 32, {1, 2, 3}));
    load(dir.file("huge.tga"), false);
}

TEST(TextureScale, PowersOfTwoAndBoxFilter) {
    EXPECT_EQ(nearest_power_of_two(1), 1u);
    EXPECT_EQ(nearest_power_of_two(3), 4u);
    EXPECT_EQ(nearest_power_of_two(5), 4u);
    EXPECT_EQ(nearest_power_of_two(6), 8u);
    EXPECT_EQ(nearest_power_of_two(64), 64u);
    EXPECT_EQ(nearest_power_of_two(65535), 65536u);
    // Widening repeats, narrowing averages by covered area, in both directions.
    EXPECT_EQ(scale_pixels({0, 100}, 2, 1, 1, 4, 1), (std::vector<uint8_t>{0, 0, 100, 100}));
    EXPECT_EQ(scale_pixels({0, 100, 200, 255}, 4, 1, 1, 2, 1), (std::vector<uint8_t>{50, 228}));
    EXPECT_EQ(scale_pixels({0, 90, 30}, 3, 1, 1, 2, 1), (std::vector<uint8_t>{30, 50}));
    EXPECT_EQ(scale_pixels({10, 20, 30, 40}, 1, 2, 2, 1, 1), (std::vector<uint8_t>{20, 30}));
    EXPECT_EQ(scale_pixels({10, 20}, 1, 2, 1, 1, 4), (std::vector<uint8_t>{10, 10, 20, 20}));
    EXPECT_TRUE(scale_pixels({1, 2}, 2, 2, 1, 4, 4).empty()); // too few source bytes
}

} // namespace
