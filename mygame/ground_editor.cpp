#include "mygame/ground_editor.h"

#include "mygame/ground_file.h"

namespace {

float distance_squared(float x, float y, Vec2 p) {
    float dx = x - p.x, dy = y - p.y;
    return dx * dx + dy * dy;
}

// Chooses the nearest top or bottom point within 20 units; keeps the old index otherwise.
void choose_point(GroundEditor& e) {
    float best = PICK_RADIUS_SQUARED;
    bool bottom = false;
    for (size_t i = 0; i < e.ground.top.size(); ++i) {
        float d = distance_squared(e.ground.top[i].x, e.ground.top[i].y, e.pointer);
        if (d < best) {
            best = d;
            e.selection = static_cast<int>(i);
        }
    }
    for (size_t i = 0; i < e.ground.bottom.size(); ++i) {
        float d = distance_squared(e.ground.bottom[i].x, e.ground.bottom[i].y, e.pointer);
        if (d < best) {
            best = d;
            e.selection = static_cast<int>(i);
            bottom = true;
        }
    }
    e.selection_is_bottom = bottom;
}

void drag_point(GroundEditor& e) {
    // A load can leave fewer points than the selection: nothing to drag then.
    if (e.selection < 0 || static_cast<size_t>(e.selection) >= e.ground.top.size())
        return;
    if (e.selection_is_bottom)
        e.ground.bottom[e.selection] = {e.pointer.x, e.pointer.y};
    else
        e.ground.top[e.selection] = {e.pointer.x, e.pointer.y};
}

} // namespace

void ground_editor_step(GroundEditor& e, const FrameInput& in, ErrorReporter& errors) {
    CursorDelta d = cursor_delta(in);
    move_pointer_offset(e.offset, -static_cast<float>(d.dx), static_cast<float>(d.dy));
    e.pointer = {e.offset.x * POINTER_WORLD_SCALE + e.pan_x, e.offset.y * POINTER_WORLD_SCALE};
    if (in.held(KEY_SPACE))
        e.pan_x += d.dx * POINTER_WORLD_SCALE;

    if (e.left.fire(in.left_button)) {
        e.ground.top.push_back({e.pointer.x, e.pointer.y});
        e.ground.bottom.push_back({e.pointer.x, e.pointer.y - 3}); // a band 3 units thick
    }
    bool right_pressed = e.right.fire(in.right_button);
    if (in.right_button) {
        if (right_pressed)
            choose_point(e);
        drag_point(e);
    }

    if (e.save.fire(in.held(key_letter('S'))))
        save_ground(e.path, e.ground, errors);
    if (e.load.fire(in.held(key_letter('L'))) && load_ground(e.path, e.ground, errors)) {
        // The selection is kept across a load, but never past the new arrays.
        if (static_cast<size_t>(e.selection) >= e.ground.top.size())
            e.selection = 0;
    }
}
