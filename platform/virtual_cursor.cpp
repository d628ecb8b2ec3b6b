#include "platform/virtual_cursor.h"

#include <algorithm>
#include <cstdlib>

namespace {

// Keeps a coordinate on a screen `size` pixels long; a size of 0 knows no screen.
int32_t on_screen(int64_t value, int32_t size) {
    if (size <= 0) {
        return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
    }
    return static_cast<int32_t>(std::clamp<int64_t>(value, 0, size - 1));
}

} // namespace

void virtual_cursor_put_back(VirtualCursor& cursor, int32_t x, int32_t y) {
    cursor.x = x;
    cursor.y = y;
}

void virtual_cursor_read(VirtualCursor& cursor, int32_t& x, int32_t& y) {
    cursor.x = on_screen(int64_t{cursor.x} + cursor.unread_dx, cursor.screen_width);
    cursor.y = on_screen(int64_t{cursor.y} + cursor.unread_dy, cursor.screen_height);
    cursor.unread_dx = 0;
    cursor.unread_dy = 0;
    x = cursor.x;
    y = cursor.y;
}

void virtual_cursor_pointer_seen(VirtualCursor& cursor, int32_t x, int32_t y) {
    if (cursor.pointer_seen) {
        cursor.unread_dx += x - cursor.pointer_x;
        cursor.unread_dy += y - cursor.pointer_y;
    }
    cursor.pointer_seen = true;
    cursor.pointer_x = x;
    cursor.pointer_y = y;
}

void virtual_cursor_pointer_warped(VirtualCursor& cursor, int32_t dx, int32_t dy, int32_t x,
                                   int32_t y) {
    // Motion during the warp's round trip is a few pixels at most, far less than a warp
    // that is worth making: whichever of the two places lies nearer is where it came from.
    const int32_t target_x = cursor.pointer_x + dx, target_y = cursor.pointer_y + dy;
    const int64_t to_target = std::llabs(int64_t{x} - target_x) + std::llabs(int64_t{y} - target_y);
    const int64_t to_start =
        std::llabs(int64_t{x} - cursor.pointer_x) + std::llabs(int64_t{y} - cursor.pointer_y);
    if (cursor.pointer_seen && to_target < to_start) {
        cursor.pointer_x = target_x;
        cursor.pointer_y = target_y;
    }
    virtual_cursor_pointer_seen(cursor, x, y);
}

void virtual_cursor_pointer_lost(VirtualCursor& cursor) {
    cursor.pointer_seen = false;
}
