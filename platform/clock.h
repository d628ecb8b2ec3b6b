// The tick counter (milliseconds, unsigned 32-bit, wrapping) and sleep.
#pragma once

#include <cstdint>

uint32_t platform_ticks();
void platform_sleep(uint32_t ms);
