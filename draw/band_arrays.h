// A level's ground band kept as vertex arrays between frames, with a copy of the points it
// was made from: the arrays are made again only when the points differ, which covers every
// way a level changes (a load, a reset, a quick load, ropegame's balls pushing a point).
#pragma once

#include "level/level_file.h"

#include <cstdint>
#include <vector>

struct RenderResources;

// Laid out as OpenGL's interleaved format GL_T2F_C4F_N3F_V3F.
struct BandVertex {
    float s = 0, t = 0;
    float r = 1, g = 1, b = 1, a = 1;
    float nx = 0, ny = 0, nz = 0;
    float x = 0, y = 0, z = 0;
};

// Quads first .. first + count - 1 (in vertices) drawn with one texture slot.
struct BandRun {
    int slot = 0;
    int32_t first = 0, count = 0;
};

// One pass over the segments: its vertices are those of the runs, in order.
struct BandPass {
    std::vector<BandRun> runs;
};

// A vertex whose t coordinate follows the overlay's scroll s: s, s + 1, -s or 1 - s.
struct ScrolledVertex {
    int32_t vertex = 0;
    bool backwards = false; // -s rather than s
    bool plus_one = false;
};

struct BandArrays {
    std::vector<BandVertex> vertices;
    std::vector<BandPass> passes;
    std::vector<ScrolledVertex> scrolled;
    std::vector<GroundPoint> ground; // the points the arrays were made from
    std::vector<BasePoint> base;
    bool made = false;
};

// True when the arrays were made from exactly these ground and base points.
bool band_is_current(const BandArrays& band, const LevelData& level);

// Empties the arrays and keeps a copy of the level's points; the caller then adds passes.
void start_band(BandArrays& band, const LevelData& level);
// Starts a pass; quads are then added to it in drawing order.
void start_pass(BandArrays& band);
// Appends one quad (four vertices) drawn with `slot`, joining the pass's last run when it
// has the same slot.
void add_quad(BandArrays& band, int slot, const BandVertex (&quad)[4]);

// Notes that vertex `vertex` (already added) scrolls.
void add_scrolled(BandArrays& band, int32_t vertex, bool backwards, bool plus_one);
// Moves the scrolling vertices' t coordinates to `scroll`.
void scroll_band(BandArrays& band, float scroll);

// Draws pass `pass` run by run, binding each run's texture. With `colours` the vertices'
// own colours are used (the current colour is undefined afterwards); without, the current
// colour.
void draw_band_pass(const BandArrays& band, size_t pass, const RenderResources& gfx, bool colours);
