// The games' pseudo-random generator: integers 0..32767, never seeded, so every run
// draws the same sequence. The C library's rand() has another range and is not used.
#pragma once

#include <cstdint>

constexpr int RANDOM_MAX = 32767;

struct RandomState {
    uint32_t state = 1;
};

int random_next(RandomState& rng);

// The process-wide generator that the programs draw from.
int random_next();
void random_reset(); // back to the first draw; for tests
// The process-wide generator's state, read and put back whole (replays start from it).
RandomState random_state();
void random_set_state(RandomState state);
