// The system cursor in screen coordinates and its visibility over our window. Reads and
// put-backs work on a cursor the layer keeps (x11_cursor.cpp), so they behave alike wherever
// the window sits and on every kind of X session. Without an X display the position calls
// do nothing (get returns false and leaves x, y as they were).
#pragma once

#include <cstdint>

bool platform_get_cursor_pos(int32_t& x, int32_t& y);
void platform_set_cursor_pos(int32_t x, int32_t y);
void platform_show_cursor(bool show);
