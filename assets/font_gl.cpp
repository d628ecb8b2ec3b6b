// The glyph display lists and printf-style text at the raster position.
#include "assets/font.h"

#include <GL/gl.h>
#include <cstdarg>
#include <cstdio>

void build_font(BitmapFont& font) {
    font.font_list_base = 0;
    FontGlyphs glyphs;
    std::string error;
    if (!render_font_glyphs(FONT_FACE, FONT_PIXEL_HEIGHT, FONT_ESCAPEMENT, glyphs, error)) {
        std::fprintf(stderr, "font: %s\n", error.c_str());
        return;
    }
    const GLuint base = glGenLists(FONT_GLYPH_COUNT);
    if (base == 0) {
        return; // no names left: texts draw nothing
    }
    // The bitmaps are copied when each list is compiled, under these unpack settings:
    // rows are byte-packed, most significant bit leftmost.
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
    glPixelStorei(GL_UNPACK_SWAP_BYTES, GL_FALSE);
    for (int k = 0; k < FONT_GLYPH_COUNT; ++k) {
        const GlyphBitmap& g = glyphs.glyphs[size_t(k)];
        glNewList(base + GLuint(k), GL_COMPILE);
        glBitmap(g.width, g.rows, g.origin_x, g.origin_y, g.advance_x, g.advance_y,
                 g.bits.empty() ? nullptr : g.bits.data());
        glEndList();
    }
    glPopClientAttrib();
    font.font_list_base = base;
}

void gl_print(const BitmapFont& font, const char* format, ...) {
    if (!format || font.font_list_base == 0) {
        return;
    }
    char text[GL_PRINT_BUFFER_SIZE];
    va_list args;
    va_start(args, format);
    // vsnprintf cuts a longer text at 255 characters and always terminates it.
    const int length = std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    if (length <= 0) {
        return;
    }
    // Only codes that have a glyph list are called: the names after the font's 96 may
    // belong to the program's other display lists, which a stray byte must not run.
    GLubyte codes[GL_PRINT_BUFFER_SIZE];
    GLsizei count = 0;
    for (const char* p = text; *p; ++p) {
        const unsigned char c = static_cast<unsigned char>(*p);
        if (c >= FONT_FIRST_CHAR && c < FONT_FIRST_CHAR + FONT_GLYPH_COUNT) {
            codes[count++] = c;
        }
    }
    if (count == 0) {
        return;
    }
    glPushAttrib(GL_LIST_BIT);
    glListBase(font.font_list_base - FONT_FIRST_CHAR);
    glCallLists(count, GL_UNSIGNED_BYTE, codes);
    glPopAttrib();
}
