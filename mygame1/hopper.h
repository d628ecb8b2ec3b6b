// The first prototype's world: a four-mass hopping creature, fifty sheep it can knock about
// with the ball on its stick, and still clouds, over the ground of "MyGame.svg".
#pragma once

#include "level/mygame_file.h"
#include "editing/critters.h"
#include "editing/input.h"
#include "editing/physics.h"
#include "editing/pointer.h"

#include <vector>

constexpr int HOPPER_SHEEP_COUNT = 50;

struct Creature {
    Mass head = make_mass(0, 0, 1.0f);
    Mass foot = make_mass(0, -1, 0.7f);
    Mass handle = make_mass(1, 0, 0.3f);
    Mass ball = make_mass(1, -1, 0.8f);
    bool on_ground = false;
    bool facing_left = false;
    bool jump_armed = false; // set in any step with Space up
};

struct HopperWorld {
    Creature creature;
    std::vector<Sheep> sheep;
    std::vector<Cloud> clouds;
    MyGameData ground; // only the top line collides
    PointerOffset offset;
    float camera_x = 0;
    Vec2 pointer; // world position under the pointer
    ColourCycle pointer_colour;
};

// Creature at its start pose, then the sheep and the clouds from the generator; no ground.
HopperWorld make_hopper_world();

// One fixed step with this frame's input; ends by moving the camera towards the head,
// turning the sheep towards it and advancing the pointer colour.
void hopper_step(HopperWorld& world, const FrameInput& in);
