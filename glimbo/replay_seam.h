// glimbo's input seam for recording and replaying: every input the world receives enters
// here, and the world's digest is taken here.
#pragma once

#include "glimbo/game_state.h"
#include "replay/replay_game.h"

// Digest of every field of the world record. Left out: what only the renderer keeps (the
// balls' drawing angles, the trail), the flock's scratch and the files folder.
uint64_t world_digest(const GameState& gs);

class GlimboSeam : public ReplayGame {
  public:
    explicit GlimboSeam(GameState& gs) : gs_(gs) {}

    void allocate(int mouse_count) override;
    void start(GameHost& host) override;
    void key(uint32_t code, bool down) override;
    void mouse(int index, int32_t dx, int32_t dy, int32_t wheel, bool left, bool right,
               bool middle) override;
    void step(GameHost& host, uint32_t elapsed_ms) override;
    uint64_t world_digest() const override { return ::world_digest(gs_); }

  private:
    GameState& gs_;
};
