#include "draw/colour_cycle.h"

void advance_colour_cycle(ColourCycle& c) {
    if (c.red + c.green + c.blue == 0) {
        c.red = 255;
        c.green = 15;
        c.blue = 0;
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
