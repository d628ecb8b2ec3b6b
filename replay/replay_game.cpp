#include "replay/replay_game.h"

#include "platform/random.h"
#include "replay/digest.h"

uint64_t state_digest(const ReplayGame& game) {
    Fnv1a d;
    d.u64(game.world_digest());
    d.u32(random_state().state);
    return d.hash;
}
