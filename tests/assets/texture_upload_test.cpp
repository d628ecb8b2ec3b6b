// Texture uploads on a real GL context, read back with glGetTexImage.
#include "assets/texture.h"
#include "gl_test_context.h"
#include "test_files.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

namespace {

class TextureUploadTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!open_gl_context(gl, 64, 64)) {
            GTEST_SKIP() << "no GL context available";
        }
    }
    void TearDown() override { close_gl_context(gl); }

    std::vector<uint8_t> level_pixels(GLuint name, int level, GLenum format, int* w, int* h) {
        glBindTexture(GL_TEXTURE_2D, name);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, w);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_HEIGHT, h);
        std::vector<uint8_t> out(size_t(*w) * *h * (format == GL_RGBA ? 4 : 3));
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, level, format, GL_UNSIGNED_BYTE, out.data());
        return out;
    }

    GlTestContext gl;
    ScratchDir dir;
};

TEST_F(TextureUploadTest, SingleLevelOddWidthRowsAndAlphaArriveIntact) {
    // 3 x 2 at 24 bits: rows of 9 bytes, which the default 4-byte alignment would misread.
    write_bytes(
        dir.file("odd.tga"),
        make_tga(3, 2, 24, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18}));
    Texture t;
    ASSERT_TRUE(load_tga_texture(t, dir.file("odd.tga"), TextureUpload::single_level));
    ASSERT_NE(t.texture_id, 0u);
    int w = 0, h = 0;
    auto rgb = level_pixels(t.texture_id, 0, GL_RGB, &w, &h);
    EXPECT_EQ(w, 3);
    EXPECT_EQ(h, 2);
    EXPECT_EQ(rgb, t.pixels); // bottom row first, red and blue exchanged
    GLint internal = 0, min_filter = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &internal);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &min_filter);
    EXPECT_EQ(internal, GL_RGB);
    EXPECT_EQ(min_filter, GL_LINEAR);
    GLint alignment = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    EXPECT_EQ(alignment, 4); // the caller's pixel-store state is given back
    // 32 bits upload as RGBA, alpha kept.
    write_bytes(dir.file("alpha.tga"),
                make_tga(2, 2, 32, {0, 0, 255, 255, 0, 255, 0, 128, 255, 0, 0, 0, 9, 9, 9, 64}));
    ASSERT_TRUE(load_tga_texture(t, dir.file("alpha.tga"), TextureUpload::single_level));
    auto rgba = level_pixels(t.texture_id, 0, GL_RGBA, &w, &h);
    const std::vector<uint8_t> expected = {255, 0, 0,   255, 0, 255, 0, 128,
                                           0,   0, 255, 0,   9, 9,   9, 64};
    EXPECT_EQ(rgba, expected);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &internal);
    EXPECT_EQ(internal, GL_RGBA);
}

TEST_F(TextureUploadTest, MipmappedThreeByTwoIsRescaledToAFullChain) {
    // Bottom row red, top row blue: both rows must survive the scaling to 4 x 2.
    std::vector<uint8_t> bgr;
    for (int i = 0; i < 6; ++i) {
        bgr.insert(bgr.end(), {uint8_t(i < 3 ? 0 : 200), 0, uint8_t(i < 3 ? 200 : 0)});
    }
    write_bytes(dir.file("mip.tga"), make_tga(3, 2, 24, bgr));
    Texture t;
    ASSERT_TRUE(load_tga_texture(t, dir.file("mip.tga")));
    GLint min_filter = 0, mag_filter = 0;
    glBindTexture(GL_TEXTURE_2D, t.texture_id);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &min_filter);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &mag_filter);
    EXPECT_EQ(min_filter, GL_LINEAR_MIPMAP_NEAREST);
    EXPECT_EQ(mag_filter, GL_LINEAR);
    int w = 0, h = 0;
    auto level0 = level_pixels(t.texture_id, 0, GL_RGBA, &w, &h);
    ASSERT_EQ(w, 4);
    ASSERT_EQ(h, 2);
    for (int i = 0; i < 8; ++i) {
        const bool top = i >= 4;
        EXPECT_EQ(level0[size_t(i) * 4], top ? 0 : 200) << i;
        EXPECT_EQ(level0[size_t(i) * 4 + 2], top ? 200 : 0) << i;
        EXPECT_EQ(level0[size_t(i) * 4 + 3], 255) << i; // four components
    }
    int lw = 0, lh = 0;
    auto last = level_pixels(t.texture_id, 2, GL_RGB, &lw, &lh); // 4 x 2 -> 2 x 1 -> 1 x 1
    EXPECT_EQ(lw * lh, 1);
    EXPECT_EQ(last, (std::vector<uint8_t>{100, 0, 100}));
}

TEST_F(TextureUploadTest, FailedLoadLeavesNoTextureName) {
    Texture t;
    t.texture_id = 3; // from an earlier context
    EXPECT_FALSE(load_tga_texture(t, dir.file("missing.tga")));
    EXPECT_EQ(t.texture_id, 0u);
    EXPECT_FALSE(upload_texture(t, TextureUpload::single_level));
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

} // namespace
