// The fixed-function state and the shared GL objects of both games' scenes.
#pragma once

#include "draw/render_types.h"

// Depth, blending, alpha test, texturing and two-sided lighting with light 1 at
// (light_x, light_y, -21). Needs a current context.
void set_scene_gl_state(float light_x, float light_y);

// The sphere quadric (smooth normals, texture coordinates), the sphere's arrays and the
// blob display list.
void create_scene_objects(RenderResources& gfx);
// Deletes the quadric; the display list goes with its context.
void delete_scene_objects(RenderResources& gfx);
