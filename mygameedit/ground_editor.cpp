#include "mygameedit/ground_editor.h"

#include "editing/ground_file.h"
#include "editing/point_pick.h"

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
            pick_pair_point(e.ground.top, e.ground.bottom, e.pointer.x, e.pointer.y,
                            PICK_RADIUS_SQUARED, e.selection, e.selection_is_bottom);
        drag_pair_point(e.ground.top, e.ground.bottom, e.selection, e.selection_is_bottom,
                        e.pointer.x, e.pointer.y);
    }

    if (e.save.fire(in.held(key_letter('S'))))
        save_ground(e.path, e.ground, errors);
    if (e.load.fire(in.held(key_letter('L'))) && load_ground(e.path, e.ground, errors)) {
        // The selection is kept across a load, but never past the new arrays.
        if (static_cast<size_t>(e.selection) >= e.ground.top.size())
            e.selection = 0;
    }
}
