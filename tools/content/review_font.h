// A tiny 5 x 7 pixel font for the review picture's captions.
#pragma once

#include <string>

#include "tools/content/image.h"

// Draws `text` (letters are shown in capitals; digits, space and . - : _ ( ) as such)
// with its top left at (x, y), each font pixel `scale` picture pixels wide.
void draw_text(Image& out, int x, int y, const std::string& text, int scale, Color color);
