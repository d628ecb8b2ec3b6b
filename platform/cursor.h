// The system cursor in screen coordinates, read and moved on the layer's own X connection,
// and its visibility over our window. Without an X display the position calls do nothing
// (get returns false and leaves x, y as they were).
#pragma once

#include <cstdint>

bool platform_get_cursor_pos(int32_t& x, int32_t& y);
void platform_set_cursor_pos(int32_t x, int32_t y);
void platform_show_cursor(bool show);
