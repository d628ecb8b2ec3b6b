// The second prototype's world: a ball-shaped player with a grapple rope (a chain of eleven
// points, or a stiff rod when fired with Shift), twelve wandering sheep and still clouds.
#pragma once

#include "level/mygame_file.h"
#include "editing/critters.h"
#include "editing/input.h"
#include "editing/physics.h"
#include "editing/pointer.h"

#include <array>
#include <vector>

constexpr int SWINGER_SHEEP_COUNT = 12;
constexpr int ROPE_POINTS = 11;
constexpr float SHOT_RANGE = 100; // crossings this far or farther are ignored
constexpr float ROPE_SEGMENT_MIN = 0.08f;
constexpr float ROPE_SEGMENT_MAX = 3.2f;

struct RopePoint {
    float x = 0, y = 0, px = 0, py = 0;
};

struct Grapple {
    bool attached = false;
    bool fire_armed = false; // set in any step with the left button up
    bool stiff = false;      // fired with Shift held: one rigid rod
    Vec2 anchor;
    float segment_length = 0; // rest length of one of the 13 rope pieces
    std::array<RopePoint, ROPE_POINTS> points{};
};

struct SwingerWorld {
    Mass player = make_mass(0, -1, 1);
    bool on_ground = false;
    bool jump_armed = false;
    Grapple grapple;
    std::vector<Sheep> sheep;
    std::vector<Cloud> clouds;
    MyGameData ground;
    PointerOffset offset;
    float camera_x = 0;
    Vec2 pointer;
    ColourCycle pointer_colour;
};

SwingerWorld make_swinger_world(); // sheep, then clouds, from the generator; no ground

// One fixed step; ends by moving the camera towards the player and advancing the pointer
// colour.
void swinger_step(SwingerWorld& world, const FrameInput& in);

// Finds where the shot from `from` to `to` first crosses the top line, nearer than
// SHOT_RANGE. Returns false when nothing qualifies.
bool find_shot_anchor(const MyGameData& ground, Vec2 from, Vec2 to, Vec2& anchor, float& distance);
