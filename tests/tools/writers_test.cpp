// The small encoders and painters the content is built from.
#include <gtest/gtest.h>

#include <cmath>

#include "tools/content/image.h"
#include "tools/content/noise.h"
#include "tools/content/review.h"
#include "tools/content/sphere_preview.h"
#include "tools/content/tga_writer.h"
#include "tools/content/wav_writer.h"

TEST(TgaWriter, StoresBottomRowFirstAsBgr) {
    Image img = make_image(2, 2, false);
    pixel(img, 0, 0) = rgb(255, 0, 0); // top left: red
    pixel(img, 1, 0) = rgb(0, 255, 0);
    pixel(img, 0, 1) = rgb(0, 0, 255); // bottom left: blue
    pixel(img, 1, 1) = rgb(10, 20, 30);
    std::vector<uint8_t> b = encode_tga(img);
    ASSERT_EQ(b.size(), 18u + 12);
    const std::vector<uint8_t> head = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 2, 0, 24};
    EXPECT_TRUE(std::equal(head.begin(), head.end(), b.begin()));
    // The bottom row first (blue, then (10, 20, 30)), then the top row from red, as B G R.
    EXPECT_EQ(std::vector<uint8_t>(b.begin() + 18, b.begin() + 27),
              (std::vector<uint8_t>{255, 0, 0, 30, 20, 10, 0, 0, 255}));
}

TEST(TgaWriter, AlphaImagesAre32BitWithRoundedChannels) {
    Image img = make_image(1, 1, true, {0.5f, 1.2f, -0.3f, 0.25f});
    std::vector<uint8_t> b = encode_tga(img);
    ASSERT_EQ(b.size(), 18u + 4);
    EXPECT_EQ(b[16], 32);
    // Blue clamped up from below zero, green down, 0.5 rounds to 128, alpha 0.25.
    EXPECT_EQ(std::vector<uint8_t>(b.begin() + 18, b.end()),
              (std::vector<uint8_t>{0, 255, 128, 64}));
}

TEST(PpmWriter, TopRowFirst) {
    Image img = make_image(1, 2, false);
    pixel(img, 0, 0) = rgb(1, 2, 3);
    pixel(img, 0, 1) = rgb(4, 5, 6);
    std::vector<uint8_t> b = encode_ppm(img);
    std::string head(b.begin(), b.begin() + 11);
    EXPECT_EQ(head, "P6\n1 2\n255\n");
    ASSERT_EQ(b.size(), 17u);
    EXPECT_EQ(b[11], 1);
    EXPECT_EQ(b[14], 4);
}

TEST(WavWriter, HeaderAndSampleScaling) {
    std::vector<uint8_t> b = encode_wav({0.0f, 1.0f, -1.0f, 2.0f, 0.5f});
    ASSERT_EQ(b.size(), 44u + 10);
    auto u32 = [&](size_t at) {
        return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
    };
    auto s16 = [&](size_t at) { return static_cast<int16_t>(b[at] | b[at + 1] << 8); };
    EXPECT_EQ(u32(4), 36u + 10);
    EXPECT_EQ(u32(24), static_cast<uint32_t>(WAV_RATE));
    EXPECT_EQ(u32(28), static_cast<uint32_t>(WAV_RATE * 2));
    EXPECT_EQ(u32(40), 10u);
    EXPECT_EQ(s16(44), 0);
    EXPECT_EQ(s16(46), 32767);
    EXPECT_EQ(s16(48), -32767);
    EXPECT_EQ(s16(50), 32767); // clipped
    EXPECT_EQ(s16(52), 16384);
}

TEST(Noise, ValueNoiseWrapsAtItsPeriodAndStaysInRange) {
    for (float y : {0.0f, 1.3f, 5.7f})
        for (float x : {0.0f, 0.4f, 2.9f}) {
            EXPECT_NEAR(value_noise(x, y, 8, 3), value_noise(x + 8, y, 8, 3), 1e-5);
            EXPECT_NEAR(value_noise(x, y, 8, 3), value_noise(x, y - 16, 8, 3), 1e-5);
            float f = fractal_noise(x, y, 4, 4, 9);
            EXPECT_NEAR(f, fractal_noise(x + 4, y, 4, 4, 9), 1e-5);
            EXPECT_GE(f, 0);
            EXPECT_LE(f, 1);
        }
    // Seeds give different fields.
    EXPECT_NE(value_noise(0.5f, 0.5f, 8, 1), value_noise(0.5f, 0.5f, 8, 2));
}

TEST(Image, BlendOverAndWrappedSampling) {
    Color dst{0, 0, 1, 1};
    blend_over(dst, {1, 0, 0, 0.25f});
    EXPECT_FLOAT_EQ(dst.r, 0.25f);
    EXPECT_FLOAT_EQ(dst.b, 0.75f);
    EXPECT_FLOAT_EQ(dst.a, 1);
    Color clear{0, 0, 0, 0};
    blend_over(clear, {0.2f, 0.4f, 0.6f, 0});
    EXPECT_FLOAT_EQ(clear.a, 0);
    EXPECT_FLOAT_EQ(clear.g, 0.4f); // keeps the colour for filtered edges
    Image img = make_image(2, 1, false);
    pixel(img, 0, 0) = {0, 0, 0, 1};
    pixel(img, 1, 0) = {1, 1, 1, 1};
    EXPECT_FLOAT_EQ(sample_wrapped(img, 0.5f, 0).r, 0.5f);
    EXPECT_FLOAT_EQ(sample_wrapped(img, 1.5f, 0).r, 0.5f); // wraps back to column 0
    EXPECT_FLOAT_EQ(sample_wrapped(img, -1, 0).r, 1);
}

TEST(SpherePreview, DropsClearTexelsAndShadesInsideTheDisc) {
    Image out = make_image(64, 64, false, {0, 1, 0, 1});
    Image clear = make_image(8, 4, true, {1, 1, 1, 0.04f}); // at or below the alpha test
    draw_sphere_preview(out, 32, 32, 20, clear, {});
    EXPECT_FLOAT_EQ(pixel(out, 32, 32).g, 1);
    EXPECT_FLOAT_EQ(pixel(out, 32, 32).r, 0);
    Image white = make_image(8, 4, false, {1, 1, 1, 1});
    draw_sphere_preview(out, 32, 32, 20, white, {0, {1, 0, 0, 1}});
    EXPECT_GT(pixel(out, 32, 32).r, 0.5f); // tinted red, lit from the front
    EXPECT_LT(pixel(out, 32, 32).g, 0.7f);
    EXPECT_FLOAT_EQ(pixel(out, 2, 2).g, 1); // outside the disc: untouched
    EXPECT_FLOAT_EQ(pixel(out, 2, 2).r, 0);
}

TEST(Review, DrawsTilesAndOnePanelPerLevelPlusTheProtoypeGround) {
    std::vector<NamedImage> images;
    images.push_back({"Ground.tga", make_image(4, 4, false, rgb(100, 70, 40))});
    LevelData one = editor_start_level();
    std::vector<ReviewLevel> levels = {{"a", one}, {"b", one}};
    Image a = render_review(images, levels, mygame_start_ground());
    Image b = render_review(images, {{"a", one}}, mygame_start_ground());
    EXPECT_EQ(a.width, b.width);
    EXPECT_EQ(a.height - b.height, 310); // one more level panel with its gap
    // The level's blob is drawn in gold somewhere in the first level panel.
    bool gold = false;
    for (const Color& c : b.pixels)
        gold = gold || (c.r > 0.95f && c.g > 0.8f && c.b < 0.4f);
    EXPECT_TRUE(gold);
}
