// The level editor's state and its editing step: the ground line built point by point, its
// points and the blobs dragged, surface types set with the digits, save and load, undo and
// redo.
#pragma once

#include "editing/input.h"
#include "editing/pointer.h"
#include "editing/undo_keys.h"
#include "level/level_file.h"

#include <string>

constexpr float PICK_DISTANCE_SQUARED = 400; // a point must be nearer than 20 units
constexpr float FIRST_BASE_DEPTH = 3;        // base of a first point with none before it

// What undo and redo put back with the level: the pointer, the view and the selections.
struct LevelEditorView {
    PointerOffset offset;
    float pan_x = 0, pan_y = 0;
    float pointer_x = 0, pointer_y = 0;
    int point_selection = 0;
    bool selection_is_base = false;
    int blob_selection = 0;
};

struct LevelEditor {
    LevelData level = editor_start_level();
    std::string path = "level.svg";
    PointerOffset offset;
    float pan_x = 0, pan_y = 0; // the view centre shows world point (pan_x, -pan_y)
    float pointer_x = 0, pointer_y = 0;
    int point_selection = 0; // also the ground point the digits retype
    bool selection_is_base = false;
    int blob_selection = 0;
    PressLatch add_blob, pick_blob, add_point, pick_point, save, load;
    ColourCycle pointer_colour;
    EditHistory<LevelData, LevelEditorView> history;
    UndoKeys undo_keys;
};

// One editing step with this frame's input; also advances the pointer colour.
void level_editor_step(LevelEditor& editor, const FrameInput& in, ErrorReporter& errors);

// Appends a ground point at (x, y) with its base point, continuing the previous surface.
void append_ground_point(LevelData& level, float x, float y);
