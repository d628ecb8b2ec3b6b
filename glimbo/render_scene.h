// One frame of the game: heads-up texts, the overview map, the play scene or the menu scene,
// and the players' pointers. Reads the world; writes only the players' roll angles, the
// trail ring and the renderer's own state.
#pragma once

#include "glimbo/game_state.h"
#include "draw/render_types.h"
#include "draw/scene_setup.h"

// The fixed-function state the scene relies on: depth, blending, alpha test, texturing,
// two-sided lighting with light 1 at (light_x, light_y, -21). Needs a current context.
void set_scene_gl_state(const GameState& gs);

// Draws one frame into the current (single-buffered) window and flushes.
void program_draw(GameState& gs, const RenderResources& gfx, RenderState& rs);

// The second credit line of the menu.
extern const char* const CREDIT_LINE;
