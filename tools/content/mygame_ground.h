// The prototypes' rolling ground.
#pragma once

#include "level/mygame_file.h"

// Gentle hills from x = -100 to 400 between two walls, low enough under the start
// point (0, 0) that the creature drops onto it; the bottom line sits under the floor
// the prototypes keep at y = -10.8.
MyGameData make_mygame_ground();
