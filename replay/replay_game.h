// A game's simulation as the replay machinery drives it: the one seam through which every
// input enters the world. Each game implements it over its own world record.
#pragma once

#include "physics/game_host.h"

#include <cstdint>

class ReplayGame {
  public:
    virtual ~ReplayGame() = default;
    // Allocates the players for `mouse_count` mice (once per run, before anything else).
    virtual void allocate(int mouse_count) = 0;
    // What a window (re)build does to the world.
    virtual void start(GameHost& host) = 0;
    virtual void key(uint32_t code, bool down) = 0;
    virtual void mouse(int index, int32_t dx, int32_t dy, int32_t wheel, bool left, bool right,
                       bool middle) = 0;
    // One step of the world.
    virtual void step(GameHost& host, uint32_t elapsed_ms) = 0;
    // Digest of every field of the world record (drawing-only fields left out).
    virtual uint64_t world_digest() const = 0;
};

// The digest a replay records: the world and the process-wide random generator.
uint64_t state_digest(const ReplayGame& game);
