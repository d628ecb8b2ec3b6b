// Glyph rendering and bitmap text on a real GL context.
#include "assets/font.h"
#include "gl_test_context.h"

#include <GL/gl.h>
#include <algorithm>
#include <gtest/gtest.h>
#include <string>

namespace {

const GlyphBitmap& glyph(const FontGlyphs& f, char c) {
    return f.glyphs.at(size_t(c - FONT_FIRST_CHAR));
}

bool bit(const GlyphBitmap& g, int x, int row_from_bottom) {
    const int row_bytes = (g.width + 7) / 8;
    return (g.bits[size_t(row_from_bottom * row_bytes + x / 8)] >> (7 - x % 8)) & 1;
}

int bits_in_row(const GlyphBitmap& g, int row_from_bottom) {
    int n = 0;
    for (int x = 0; x < g.width; ++x) {
        n += bit(g, x, row_from_bottom);
    }
    return n;
}

TEST(FontGlyphs, UprightGlyphsComeBottomRowFirst) {
    FontGlyphs f;
    std::string error;
    ASSERT_TRUE(render_font_glyphs(FONT_FACE, FONT_PIXEL_HEIGHT, 0, f, error)) << error;
    ASSERT_EQ(f.glyphs.size(), size_t(FONT_GLYPH_COUNT));
    // 'T': its bar is the top row, which must be the last row handed to glBitmap.
    const GlyphBitmap& t = glyph(f, 'T');
    ASSERT_GT(t.rows, 6);
    EXPECT_GT(bits_in_row(t, t.rows - 1), t.width / 2);
    EXPECT_LT(bits_in_row(t, 0), t.width / 2);
    // Sitting on the baseline, about the character height tall.
    EXPECT_NEAR(t.origin_y, 0.0f, 1.0f);
    EXPECT_GE(t.rows, FONT_PIXEL_HEIGHT / 2);
    EXPECT_LE(t.rows, FONT_PIXEL_HEIGHT);
    // A space has no bitmap but moves the text on.
    const GlyphBitmap& space = glyph(f, ' ');
    EXPECT_TRUE(std::all_of(space.bits.begin(), space.bits.end(), [](uint8_t b) { return !b; }));
    EXPECT_GT(space.advance_x, 0.0f);
}

class FontTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!open_gl_context(gl, 320, 64)) {
            GTEST_SKIP() << "no GL context available";
        }
        build_font(font);
        ASSERT_NE(font.font_list_base, 0u);
    }
    void TearDown() override { close_gl_context(gl); }

    // Raster position after placing it at (x, y) and printing what `print` draws.
    template <class Print> std::pair<float, float> print_at(float x, float y, Print print) {
        glRasterPos2f(x, y);
        print();
        GLfloat pos[4];
        glGetFloatv(GL_CURRENT_RASTER_POSITION, pos);
        return {pos[0], pos[1]};
    }

    int count_pixels(const std::vector<uint8_t>& fb, uint8_t r, uint8_t g, uint8_t b) {
        int n = 0;
        for (size_t i = 0; i < fb.size(); i += 4) {
            n += fb[i] == r && fb[i + 1] == g && fb[i + 2] == b;
        }
        return n;
    }

    GlTestContext gl;
    BitmapFont font;
};

TEST_F(FontTest, TextDrawsInTheColourLatchedAtTheRasterPosition) {
    glColor3f(1, 1, 0);
    glRasterPos2f(10, 24);
    glColor3f(0, 0, 1); // too late: the raster colour is already taken
    gl_print(font, "Glimbo %d", 42);
    const auto fb = read_framebuffer(gl);
    EXPECT_GT(count_pixels(fb, 255, 255, 0), 60);
    EXPECT_EQ(count_pixels(fb, 0, 0, 255), 0);
    // Everything lies right of the raster position and near its height.
    for (int y = 0; y < gl.height; ++y) {
        for (int x = 0; x < gl.width; ++x) {
            if (fb[(size_t(y) * gl.width + x) * 4] != 0) {
                ASSERT_GE(x, 9);
                ASSERT_GE(y, 24 - 6);
                ASSERT_LE(y, 24 + 40);
            }
        }
    }
}

TEST_F(FontTest, FormattedTextAdvancesByItsFifteenGlyphs) {
    FontGlyphs f;
    std::string error;
    ASSERT_TRUE(render_font_glyphs(FONT_FACE, FONT_PIXEL_HEIGHT, FONT_ESCAPEMENT, f, error));
    float dx = 0, dy = 0;
    for (char c : std::string("fps = 59.500000")) {
        dx += glyph(f, c).advance_x;
        dy += glyph(f, c).advance_y;
    }
    auto [x, y] = print_at(5, 5, [&] { gl_print(font, "fps = %f", 59.5); });
    EXPECT_NEAR(x - 5, dx, 0.01f);
    EXPECT_NEAR(y - 5, dy, 0.01f);
    EXPECT_GT(y - 5, 5.0f); // the turned text climbs as it runs
}

TEST_F(FontTest, EmptyNullAndUnprintableTextsDrawNothing) {
    // Lists right after the font's 96: a stray byte 200 would run the one at base + 168.
    const GLuint others = glGenLists(200);
    ASSERT_EQ(others, font.font_list_base + FONT_GLYPH_COUNT);
    for (GLuint i = 0; i < 200; ++i) {
        glNewList(others + i, GL_COMPILE);
        glTranslatef(50, 0, 0);
        glEndList();
    }
    for (const char* text : {"", "\x01\x1f", "\xc8\xff\x80"}) {
        auto [x, y] = print_at(7, 9, [&] { gl_print(font, "%s", text); });
        EXPECT_EQ(x, 7.0f);
        EXPECT_EQ(y, 9.0f);
    }
    auto [x, y] = print_at(7, 9, [&] { gl_print(font, nullptr); });
    EXPECT_EQ(x, 7.0f);
    GLfloat m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    EXPECT_EQ(m[12], 0.0f);
    EXPECT_EQ(count_pixels(read_framebuffer(gl), 0, 0, 0), gl.width * gl.height);
    // The list base of the caller is given back.
    GLint base = -1;
    glGetIntegerv(GL_LIST_BASE, &base);
    EXPECT_EQ(base, 0);
}

TEST_F(FontTest, LongTextIsCutAt255Characters) {
    const std::string long_text(300, 'i');
    const std::string cut(255, 'i');
    auto full = print_at(0, 0, [&] { gl_print(font, "%s", long_text.c_str()); });
    auto expected = print_at(0, 0, [&] { gl_print(font, "%s", cut.c_str()); });
    EXPECT_FLOAT_EQ(full.first, expected.first);
    EXPECT_FLOAT_EQ(full.second, expected.second);
    auto shorter = print_at(0, 0, [&] { gl_print(font, "%s", cut.substr(1).c_str()); });
    EXPECT_LT(shorter.first, expected.first);
}

} // namespace
