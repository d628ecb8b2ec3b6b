// Bitmap text: one display list per printable character, drawn at the raster position.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr int FONT_FIRST_CHAR = 32;   // space
constexpr int FONT_GLYPH_COUNT = 96;  // codes 32 to 127
constexpr int FONT_PIXEL_HEIGHT = 16; // character height without internal leading
constexpr int FONT_ESCAPEMENT = 70;   // tenths of a degree, counter-clockwise
constexpr const char* FONT_FACE = "Comic Sans MS";
constexpr int GL_PRINT_BUFFER_SIZE = 256; // formatted text, terminator included

// The glyph lists of one GL context. List font_list_base + k draws character 32 + k.
// A base of 0 means no lists were built: texts draw nothing.
struct BitmapFont {
    uint32_t font_list_base = 0;
};

// One rendered character as glBitmap wants it.
struct GlyphBitmap {
    int width = 0; // pixels
    int rows = 0;
    float origin_x = 0; // offset of the bitmap's lower-left corner, as glBitmap's xorig/yorig
    float origin_y = 0;
    float advance_x = 0; // raster move after drawing
    float advance_y = 0;
    std::vector<uint8_t> bits; // bottom row first, (width + 7) / 8 bytes a row, MSB leftmost
};

struct FontGlyphs {
    std::string face_file;           // the font file fontconfig chose
    std::vector<GlyphBitmap> glyphs; // FONT_GLYPH_COUNT entries, from code 32
};

// Asks fontconfig for `family` (falling back to any sans face). Empty when none is found.
std::string find_font_file(const std::string& family);

// Renders the 96 printable characters of `family` as 1-bit glyphs `pixel_height` pixels
// high, turned by `escapement` tenths of a degree. No GL needed.
bool render_font_glyphs(const std::string& family, int pixel_height, int escapement,
                        FontGlyphs& out, std::string& error);

// Builds the 96 glyph lists of the game's font in the current GL context.
// On any failure font.font_list_base stays 0.
void build_font(BitmapFont& font);

// Formats like printf into a 256-byte buffer (longer texts are cut) and draws it at the
// current raster position, in the colour current when the raster position was set.
// Characters outside 32 to 127 draw nothing.
void gl_print(const BitmapFont& font, const char* format, ...)
    __attribute__((format(printf, 2, 3)));
