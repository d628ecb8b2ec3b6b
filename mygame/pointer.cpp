#include "mygame/pointer.h"

#include <algorithm>

void move_pointer_offset(PointerOffset& offset, float add_x, float add_y) {
    offset.x = std::clamp(offset.x + add_x, -POINTER_LIMIT_X, POINTER_LIMIT_X);
    offset.y = std::clamp(offset.y + add_y, -POINTER_LIMIT_Y, POINTER_LIMIT_Y);
}

void advance_colour_cycle(ColourCycle& c) {
    if (c.red + c.green + c.blue == 0) {
        c.red = 255;
        c.green = 0;
        c.blue = 0;
        c.green += 15;
    } else if (c.red == 255 && c.blue == 0) {
        c.green += 15;
    }
    if (c.green == 255) {
        if (c.blue == 0)
            c.red -= 15;
        if (c.red == 0)
            c.blue += 15;
    }
    if (c.blue == 255) {
        if (c.red == 0)
            c.green -= 15;
        if (c.green == 0)
            c.red += 15;
    }
    if (c.red == 255 && c.green == 0)
        c.blue -= 15;
}
