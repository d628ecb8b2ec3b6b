// The wandering sheep and the still clouds of the two prototypes.
#pragma once

#include "editing/physics.h"

#include <vector>

constexpr float SHEEP_START_HEALTH = 5;

struct Sheep {
    Mass body;
    float health = SHEEP_START_HEALTH; // only the first prototype hurts sheep
    bool facing = false;               // whether the head is to its right (drawing)
};

// One draw of the process-wide generator scaled to [0, range].
float random_scaled(float range);

// A sheep at a random spot in [0, 10] x [0, 10], at rest, full health (two draws).
Sheep spawn_sheep();
std::vector<Sheep> spawn_flock(int count);

// Random drift, damping by 0.95, a tenth of gravity, and now and then a hop of 0.3.
void integrate_sheep(Mass& s, float gravity);

// Below the floor the vertical motion is reversed; if that is not enough it is put on it.
void bounce_sheep_on_floor(Mass& s);

constexpr int CLOUD_COUNT = 10;

struct Cloud {
    float x = 0, y = 0;
    float depth = -30;
    float half_size = 10;
};

std::vector<Cloud> make_clouds(int count); // three draws each: x, y, depth

// Texture slot of cloud i: 10 + floor(0.8 i), so ten clouds use images 1,1,2,3,4,5,5,6,7,8.
int cloud_texture_slot(int index);
