// ropegame's input seam for recording and replaying: every input the world receives enters
// here, and the world's digest is taken here.
#pragma once

#include "replay/replay_game.h"
#include "ropegame/world.h"

namespace ropegame {

// Digest of every field of the world record. Left out: what only the renderer keeps (the
// balls' drawing angles, the trail), the flock's scratch and the files folder.
uint64_t world_digest(const World& w);

class Seam : public ReplayGame {
  public:
    explicit Seam(World& w) : w_(w) {}

    void allocate(int mouse_count) override;
    void start(GameHost& host) override;
    void key(uint32_t code, bool down) override;
    void mouse(int index, int32_t dx, int32_t dy, int32_t wheel, bool left, bool right,
               bool middle) override;
    void step(GameHost& host, uint32_t elapsed_ms) override;
    uint64_t world_digest() const override { return ropegame::world_digest(w_); }

  private:
    World& w_;
};

} // namespace ropegame
