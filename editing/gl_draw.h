// Fixed-function drawing shared by the editors and the prototypes: their common GL state,
// texture slots, the view, sky, ground band, clouds and pointer.
#pragma once

#include "assets/texture.h"
#include "draw/gl_square.h"
#include "level/mygame_file.h"
#include "editing/critters.h"
#include "editing/pointer.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <utility>
#include <vector>

// Clear colour, depth test, smooth shading, alpha blending and test, 2D textures and
// back-face culling, as all four programs set them.
void set_editor_gl_state();

// Textures loaded into fixed slots; a slot with no image binds texture 0.
struct TextureSlots {
    std::vector<Texture> slots;

    void load(const std::vector<std::pair<int, const char*>>& files, TextureUpload upload);
    void bind(int slot) const;
};

// Clears the frame and looks at world x = `x` on the unscaled view.
void start_view(float x);

// The sky: the image of `slot` on a square of half-size 100 at depth -90 centred on x.
void draw_sky(const TextureSlots& textures, int slot, float x);

// The band of each segment: top i, bottom i, bottom i+1, top i+1, at depth z.
void draw_ground_band(const MyGameData& ground, float z);

// Each cloud on a square of its half-size at its depth, textures from slot 10 on.
void draw_clouds(const std::vector<Cloud>& clouds, const TextureSlots& textures);

// The pointer: a 2 by 2 square at depth -30 in the cycle's colour, then white again.
void draw_pointer(const TextureSlots& textures, int slot, float x, float y, const ColourCycle& c);

void set_colour(const ColourCycle& c);
void set_white();
