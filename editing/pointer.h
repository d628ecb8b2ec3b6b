// The relative pointer: the system cursor is put back at the screen centre every frame and
// its movement steers an offset from the view centre, clamped to the visible area.
#pragma once

#include "draw/colour_cycle.h"
#include "editing/input.h"

constexpr float POINTER_LIMIT_X = 170;
constexpr float POINTER_LIMIT_Y = 130;
constexpr float POINTER_WORLD_SCALE = 0.1f; // screen pixels of offset to world units

struct PointerOffset {
    float x = 0, y = 0;
};

struct CursorDelta {
    int dx = 0, dy = 0; // centre minus cursor: positive when the cursor went left (up)
};

inline CursorDelta cursor_delta(const FrameInput& in) {
    return {CURSOR_HOME_X - in.cursor_x, CURSOR_HOME_Y - in.cursor_y};
}

// Adds (add_x, add_y) to the offset, then clamps it to the visible area.
void move_pointer_offset(PointerOffset& offset, float add_x, float add_y);
