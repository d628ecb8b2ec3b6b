// Whether the X server has a key held right now, for keys whose release the window system
// may never report (it reset its own key state when the window was rebuilt).
#pragma once

#include <cstdint>

// 1 while the key of that virtual-key code is held, 0 when it is up, -1 when it cannot be
// told (no X display, or a key without a known X key symbol).
int x11_virtual_key_held(uint32_t virtual_key);
