// Deterministic hash noise: the same numbers on every run, tileable on request.
#pragma once

#include <cstdint>

// A well-mixed 32-bit hash of up to three integers and a seed.
uint32_t hash3(int x, int y, int z, uint32_t seed);
// Uniform in [0, 1).
float hash_unit(int x, int y, uint32_t seed);

// Smooth value noise in [0, 1] on a lattice of `period` cells (wraps every period cells,
// so a texture sampled over one period tiles without seams).
float value_noise(float x, float y, int period, uint32_t seed);
// Sum of `octaves` value-noise layers, each at twice the frequency and half the weight.
// Tiles with the base period.
float fractal_noise(float x, float y, int period, int octaves, uint32_t seed);

// A small sequential generator for placing things (stars, spikes, curls).
struct Dice {
    uint32_t state;
    explicit Dice(uint32_t seed) : state(seed * 2654435761u + 12345u) {}
    uint32_t next();
    float unit();                    // [0, 1)
    float range(float lo, float hi); // [lo, hi)
};
