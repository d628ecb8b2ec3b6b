// One frame of ropegame: the shared texts and overview map, then the play scene or the
// title scene, then every player's pointer. Reads the world; writes only the balls' roll
// angles, the trail ring and the renderer's own state.
#pragma once

#include "draw/render_types.h"
#include "ropegame/world.h"

namespace ropegame {

constexpr int TEXTURE_COUNT = 14; // the first 14 slots of the game's table

// The glimbo scene state with ropegame's differences: alpha test above 0.1, a dim diffuse
// light and shininess 10. Needs a current context.
void set_gl_state(const World& w);

// Draws one frame into the back buffer; the frame swaps it afterwards.
void program_draw(World& w, const RenderResources& gfx, RenderState& rs);

} // namespace ropegame
