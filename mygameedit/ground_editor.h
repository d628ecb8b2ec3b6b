// The ground editor of "MyGame.svg": points appended with the left button, dragged with the
// right, the view scrolled sideways with Space, S to save and L to load.
#pragma once

#include "level/mygame_file.h"
#include "editing/input.h"
#include "editing/physics.h"
#include "editing/pointer.h"

#include <string>

constexpr float PICK_RADIUS_SQUARED = 400; // a point must be nearer than 20 units

struct GroundEditor {
    MyGameData ground = mygame_start_ground();
    std::string path = "MyGame.svg";
    PointerOffset offset;
    float pan_x = 0;
    Vec2 pointer;
    int selection = 0;
    bool selection_is_bottom = false;
    PressLatch left, right, save, load;
};

void ground_editor_step(GroundEditor& editor, const FrameInput& in, ErrorReporter& errors);
