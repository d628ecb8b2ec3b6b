// The pointers' colour: a walk around the hue circle shared by the games and the editors.
#pragma once

struct ColourCycle {
    int red = 0, green = 0, blue = 0;
};

// One step of the walk (red, yellow, green, cyan, blue, magenta) in steps of 15; all zero
// starts it at (255, 15, 0).
void advance_colour_cycle(ColourCycle& c);
