// The ground editor of "MyGame.svg": points appended with the left button, dragged with the
// right, the view scrolled sideways with Space, S to save and L to load, Ctrl+Z to undo and
// Ctrl+Y or Ctrl+Shift+Z to redo.
#pragma once

#include "editing/input.h"
#include "editing/physics.h"
#include "editing/pointer.h"
#include "editing/undo_keys.h"
#include "level/mygame_file.h"

#include <string>

constexpr float PICK_RADIUS_SQUARED = 400; // a point must be nearer than 20 units

// What undo and redo put back with the ground: the pointer, the view and the selection.
struct GroundEditorView {
    PointerOffset offset;
    float pan_x = 0;
    Vec2 pointer;
    int selection = 0;
    bool selection_is_bottom = false;
};

struct GroundEditor {
    MyGameData ground = mygame_start_ground();
    std::string path = "MyGame.svg";
    PointerOffset offset;
    float pan_x = 0;
    Vec2 pointer;
    int selection = 0;
    bool selection_is_bottom = false;
    PressLatch left, right, save, load;
    EditHistory<MyGameData, GroundEditorView> history;
    UndoKeys undo_keys;
};

void ground_editor_step(GroundEditor& editor, const FrameInput& in, ErrorReporter& errors);
