#include "editing/pointer.h"

#include <algorithm>

void move_pointer_offset(PointerOffset& offset, float add_x, float add_y) {
    offset.x = std::clamp(offset.x + add_x, -POINTER_LIMIT_X, POINTER_LIMIT_X);
    offset.y = std::clamp(offset.y + add_y, -POINTER_LIMIT_Y, POINTER_LIMIT_Y);
}
