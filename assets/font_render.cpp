// Finding the game's font with fontconfig and rendering its glyphs with FreeType.
#include "assets/font.h"

#include <algorithm>
#include <cmath>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

namespace {

std::string match_font(const char* name) {
    std::string file;
    if (!FcInit()) {
        return file;
    }
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(name));
    if (!pattern) {
        return file;
    }
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcChar8* path = nullptr;
    if (match && FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path) {
        file = reinterpret_cast<const char*>(path);
    }
    if (match) {
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return file;
}

// Copies FreeType's 1-bit bitmap (top row first) into glBitmap's order (bottom row first).
void copy_rows_flipped(const FT_Bitmap& bitmap, GlyphBitmap& glyph) {
    const int row_bytes = (glyph.width + 7) / 8;
    const int pitch = bitmap.pitch < 0 ? -bitmap.pitch : bitmap.pitch;
    glyph.bits.assign(size_t(row_bytes) * glyph.rows, 0);
    for (int top_row = 0; top_row < glyph.rows; ++top_row) {
        // A negative pitch means FreeType stored the rows bottom-up already.
        const int stored = bitmap.pitch >= 0 ? top_row : glyph.rows - 1 - top_row;
        const uint8_t* src = bitmap.buffer + size_t(stored) * pitch;
        uint8_t* dst = glyph.bits.data() + size_t(glyph.rows - 1 - top_row) * row_bytes;
        std::copy(src, src + row_bytes, dst);
    }
}

void render_glyph(FT_Face face, unsigned code, GlyphBitmap& glyph) {
    glyph = GlyphBitmap{};
    if (FT_Load_Char(face, code, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME)) {
        return; // an unrenderable character draws nothing and does not move the text
    }
    const FT_GlyphSlot slot = face->glyph;
    glyph.advance_x = float(slot->advance.x) / 64.0f;
    glyph.advance_y = float(slot->advance.y) / 64.0f;
    const FT_Bitmap& bitmap = slot->bitmap;
    // Only 1-bit bitmaps are copied; a missing buffer (space) keeps just the advance.
    if (bitmap.pixel_mode != FT_PIXEL_MODE_MONO || !bitmap.buffer || bitmap.width == 0 ||
        bitmap.rows == 0) {
        return;
    }
    glyph.width = int(bitmap.width);
    glyph.rows = int(bitmap.rows);
    glyph.origin_x = float(-slot->bitmap_left);
    glyph.origin_y = float(glyph.rows - slot->bitmap_top);
    copy_rows_flipped(bitmap, glyph);
}

} // namespace

std::string find_font_file(const std::string& family) {
    std::string file = match_font(family.c_str());
    if (file.empty()) {
        file = match_font("sans");
    }
    return file;
}

bool render_font_glyphs(const std::string& family, int pixel_height, int escapement,
                        FontGlyphs& out, std::string& error) {
    out = FontGlyphs{};
    out.face_file = find_font_file(family);
    if (out.face_file.empty()) {
        error = "no font found for " + family;
        return false;
    }
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library)) {
        error = "FreeType could not start";
        return false;
    }
    FT_Face face = nullptr;
    bool ok = false;
    if (FT_New_Face(library, out.face_file.c_str(), 0, &face)) {
        error = "cannot open font file " + out.face_file;
    } else if (FT_Set_Pixel_Sizes(face, 0, FT_UInt(pixel_height))) {
        error = "font cannot be sized";
    } else {
        const double angle = escapement / 10.0 * M_PI / 180.0;
        const FT_Fixed c = FT_Fixed(std::lround(std::cos(angle) * 65536.0));
        const FT_Fixed s = FT_Fixed(std::lround(std::sin(angle) * 65536.0));
        FT_Matrix turn{c, -s, s, c};
        FT_Set_Transform(face, &turn, nullptr);
        out.glyphs.resize(FONT_GLYPH_COUNT);
        for (int k = 0; k < FONT_GLYPH_COUNT; ++k) {
            render_glyph(face, unsigned(FONT_FIRST_CHAR + k), out.glyphs[size_t(k)]);
        }
        ok = true;
    }
    if (face) {
        FT_Done_Face(face);
    }
    FT_Done_FreeType(library);
    return ok;
}
