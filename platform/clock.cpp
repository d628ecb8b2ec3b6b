// Ticks and sleep over SDL's millisecond counter.
#include "platform/clock.h"

#include <SDL2/SDL_timer.h>

uint32_t platform_ticks() {
    return static_cast<uint32_t>(SDL_GetTicks());
}

void platform_sleep(uint32_t ms) {
    SDL_Delay(ms);
}
