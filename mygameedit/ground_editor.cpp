#include "mygameedit/ground_editor.h"

#include "editing/ground_file.h"
#include "editing/point_pick.h"

namespace {

GroundEditorView view_of(const GroundEditor& e) {
    return {e.offset, e.pan_x, e.pointer, e.selection, e.selection_is_bottom};
}

void show_view(GroundEditor& e, const GroundEditorView& v) {
    e.offset = v.offset;
    e.pan_x = v.pan_x;
    e.pointer = v.pointer;
    e.selection = v.selection;
    e.selection_is_bottom = v.selection_is_bottom;
}

} // namespace

void ground_editor_step(GroundEditor& e, const FrameInput& in, ErrorReporter& errors) {
    CursorDelta d = cursor_delta(in);
    move_pointer_offset(e.offset, -static_cast<float>(d.dx), static_cast<float>(d.dy));
    e.pointer = {e.offset.x * POINTER_WORLD_SCALE + e.pan_x, e.offset.y * POINTER_WORLD_SCALE};
    if (in.held(KEY_SPACE))
        e.pan_x += d.dx * POINTER_WORLD_SCALE;

    // The buttons and L change the ground: while one is down the gesture goes on.
    bool editing = in.left_button || in.right_button || in.held(key_letter('L'));
    begin_frame_edits(e.history, editing, e.ground);

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

    end_frame_edits(e.history, editing, e.ground, view_of(e));
    GroundEditorView view = view_of(e);
    if (follow_undo_keys(e.undo_keys, in, e.history, e.ground, view))
        show_view(e, view);
}
