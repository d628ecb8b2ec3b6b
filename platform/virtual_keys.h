// SDL key codes to the virtual-key codes the programs test; 0 for keys without one.
#pragma once

#include <cstdint>

uint32_t virtual_key_from_sdl(int32_t sdl_keycode);
