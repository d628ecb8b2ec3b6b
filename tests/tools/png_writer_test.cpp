// The icons' PNG encoder against bytes worked out by hand: the smallest picture whole, and
// the split of a larger one into stored deflate blocks.
#include "tools/content/png_writer.h"

#include <gtest/gtest.h>

// The CRC-32s and the Adler-32 in the smallest picture are the published algorithms' values.
TEST(PngWriter, ByteForByteAndSplitIntoStoredBlocks) {
    // clang-format off
    const std::vector<uint8_t> expected = {
        0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n',
        0, 0, 0, 13, 'I', 'H', 'D', 'R', 0, 0, 0, 1, 0, 0, 0, 1, 8, 6, 0, 0, 0,
        0x1F, 0x15, 0xC4, 0x89,       // the IHDR CRC of every 1 x 1 RGBA picture
        0, 0, 0, 16, 'I', 'D', 'A', 'T', 0x78, 0x01,
        0x01, 0x05, 0x00, 0xFA, 0xFF, // final stored block of 5 bytes
        0x00, 0xFF, 0x00, 0x00, 0xFF, // filter "none", then R G B A
        0x05, 0x00, 0x01, 0xFF,       // Adler-32: b = 1280, a = 511
        0xFA, 0x5C, 0x88, 0xD1,
        0, 0, 0, 0, 'I', 'E', 'N', 'D', 0xAE, 0x42, 0x60, 0x82};
    // clang-format on
    EXPECT_EQ(encode_png(make_image(1, 1, true, {1, 0, 0, 1})), expected);

    // 128 rows of 1 + 128 x 4 bytes: 65664, so 65535 in a first block and 129 in the last.
    const std::vector<uint8_t> png = encode_png(make_image(128, 128, true));
    const size_t first = 8 + 25 + 8 + 2, second = first + 5 + 65535; // after the zlib header
    EXPECT_EQ(std::vector(png.begin() + first, png.begin() + first + 5),
              (std::vector<uint8_t>{0x00, 0xFF, 0xFF, 0x00, 0x00}));
    EXPECT_EQ(std::vector(png.begin() + second, png.begin() + second + 5),
              (std::vector<uint8_t>{0x01, 0x81, 0x00, 0x7E, 0xFF}));
    EXPECT_EQ(png.size(), second + 5 + 129 + 4 + 4 + 12); // Adler-32, IDAT CRC, IEND
}
