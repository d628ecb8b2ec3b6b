#include "platform/random.h"

int random_next(RandomState& rng) {
    rng.state = rng.state * 214013u + 2531011u;
    return int((rng.state >> 16) & 0x7FFF);
}

// One owner for the process-wide sequence.
static RandomState g_random;

int random_next() { return random_next(g_random); }

void random_reset() { g_random = RandomState{}; }

RandomState random_state() {
    return g_random;
}

void random_set_state(RandomState state) {
    g_random = state;
}
