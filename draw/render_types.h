// What the renderer owns: the GL objects of the current context (texture names, glyph lists,
// the sphere quadric, the blob list), the sphere's arrays, and its small running state
// (overlay scroll, pointer colour, the ground band's arrays). The world it draws lives in
// the game's world record.
#pragma once

#include "draw/band_arrays.h"
#include "draw/colour_cycle.h"
#include "draw/sphere_mesh.h"

#include <array>
#include <cstdint>
#include <functional>

struct GLUquadric;

constexpr int TEXTURE_SLOT_COUNT = 20;

// Texture slots, in the order the images are loaded.
enum TextureSlot : int {
    SLOT_HEAD = 0,
    SLOT_GROUND = 1,
    SLOT_SHEEP = 2,
    SLOT_POINTER = 3,
    SLOT_GDUST = 4,
    SLOT_HANDLE = 5,
    SLOT_BALL = 6,
    SLOT_BODY = 7,
    SLOT_GLIMBO = 8,
    SLOT_ICE = 9,
    SLOT_SPIKES = 10,
    SLOT_MINISHEEP = 11,
    SLOT_MINIBALL = 12,
    SLOT_STARS = 13,
    SLOT_GROUND2SPIKES = 14,
    SLOT_SPIKES2GROUND = 15,
    SLOT_GROUND2ICE = 16,
    SLOT_ICE2GROUND = 17,
    SLOT_SPIKES2ICE = 18,
    SLOT_ICE2SPIKES = 19,
};

// File of each slot, relative to the working directory.
extern const std::array<const char*, TEXTURE_SLOT_COUNT> TEXTURE_FILES;

// Draws `text` at the current raster position (the program hands it to the bitmap font).
using TextPrinter = std::function<void(const char* text)>;

struct RenderResources {
    std::array<uint32_t, TEXTURE_SLOT_COUNT> texture_ids{}; // 0: no texture (drawn plain)
    GLUquadric* sphere_quadric = nullptr;
    uint32_t blob_list = 0; // display list of a 6 x 6 unit sphere
    SphereMesh sphere;      // the 16 x 16 sphere's normals and texture coordinates
    TextPrinter print;      // empty: texts are not drawn
    // Every shape sent vertex by vertex and tessellated again each frame, as the renderer
    // did before it kept its geometry: the same pixels, kept to measure the gain against.
    bool immediate_mode = false;
};

// Runs for the whole process, across rebuilds of the window.
struct RenderState {
    float scroll_offset = 0; // texture scroll of the surface overlay; never wraps
    ColourCycle pointer_color;
    BandArrays band; // the ground band of the level last drawn
};
