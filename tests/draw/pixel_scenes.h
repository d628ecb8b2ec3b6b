// The scenes whose pixels must not change when the drawing code is made cheaper: glimbo's
// menu, a play scene with ropes and a trail, the packed flock and a crowd of 18 in soft mode;
// ropegame's title, a play scene, and the same play scene with a ground point pushed aside.
// Every world is built here, value by value, so that nothing but the drawing code can change
// the images; textures are made here too, uploaded as the games upload theirs.
#pragma once

#include "draw/render_types.h"
#include "tests/draw/reference_image.h"

#include <vector>

constexpr int SCENE_WIDTH = 320;
constexpr int SCENE_HEIGHT = 240;

// The renderer's GL objects for the scenes: textures in every slot, the quadric and blob
// list, and a printer that draws each character as a small bitmap at the raster position.
// Needs a current context.
RenderResources make_scene_resources();
void free_scene_resources(RenderResources& gfx);

struct PixelScene {
    const char* name;
    void (*draw)(const RenderResources& gfx);
};

// In the order they are drawn: one set of resources serves them all, so a drawing cache
// that outlived a level change would show in the scene after it.
const std::vector<PixelScene>& pixel_scenes();

// Draws `scene` into a cleared window and reads it back.
RgbImage shoot_scene(const PixelScene& scene, const RenderResources& gfx);
