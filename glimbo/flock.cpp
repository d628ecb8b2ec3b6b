#include "glimbo/flock.h"

#include "physics/flock_core.h"
#include "physics/keys.h"

void flock_step(GameState& gs) {
    flock_step_in(gs, {gs.soft_collisions, key_held(gs, KEY_CTRL)});
}
