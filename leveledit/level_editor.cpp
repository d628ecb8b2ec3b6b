#include "leveledit/level_editor.h"

#include "editing/point_pick.h"

namespace {

bool in_range(int index, size_t size) {
    return index >= 0 && static_cast<size_t>(index) < size;
}

void save_level(LevelEditor& e, ErrorReporter& errors) {
    std::string error;
    if (!write_level_file(e.path, e.level, error))
        errors.show_error(SAVE_FAILED_TEXT);
}

void load_level(LevelEditor& e, ErrorReporter& errors) {
    if (read_level_file(e.path, e.level).status != LevelReadStatus::ok) {
        errors.show_error(LOAD_FAILED_TEXT);
        return;
    }
    // The selections survive a load, but never past the new arrays.
    if (!in_range(e.point_selection, e.level.ground.size()))
        e.point_selection = 0;
    if (!in_range(e.blob_selection, e.level.blobs.size()))
        e.blob_selection = 0;
}

// Every input that can change the level: while one is down the gesture goes on.
bool editing_input_down(const FrameInput& in) {
    if (in.left_button || in.right_button)
        return true;
    for (char letter : {'I', 'P', 'R', 'L'})
        if (in.held(key_letter(letter)))
            return true;
    for (int digit = 1; digit <= 6; ++digit)
        if (in.held(key_digit(digit)))
            return true;
    return false;
}

LevelEditorView view_of(const LevelEditor& e) {
    return {e.offset,
            e.pan_x,
            e.pan_y,
            e.pointer_x,
            e.pointer_y,
            e.point_selection,
            e.selection_is_base,
            e.blob_selection};
}

void show_view(LevelEditor& e, const LevelEditorView& v) {
    e.offset = v.offset;
    e.pan_x = v.pan_x;
    e.pan_y = v.pan_y;
    e.pointer_x = v.pointer_x;
    e.pointer_y = v.pointer_y;
    e.point_selection = v.point_selection;
    e.selection_is_base = v.selection_is_base;
    e.blob_selection = v.blob_selection;
}

} // namespace

void append_ground_point(LevelData& level, float x, float y) {
    GroundPoint g;
    g.x = x;
    g.y = y;
    g.flag = 1;
    size_t n = level.ground.size();
    if (n == 0) {
        // No segment yet to turn: give the first point a band of fixed depth.
        level.ground.push_back(g);
        level.base.push_back({x, y - FIRST_BASE_DEPTH});
        return;
    }
    // The new segment continues the surface of the one before it.
    if (n >= 2)
        level.ground[n - 1].type = level.ground[n - 2].type;
    const GroundPoint& prev = level.ground[n - 1];
    g.type = prev.type; // the last point starts no segment; keep the surface going
    float dx = x - prev.x, dy = y - prev.y;
    // The base is the new segment turned a quarter clockwise: a band as thick as it is long.
    level.base.push_back({x + dy, y - dx});
    level.ground.push_back(g);
}

void level_editor_step(LevelEditor& e, const FrameInput& in, ErrorReporter& errors) {
    CursorDelta d = cursor_delta(in);
    move_pointer_offset(e.offset, -static_cast<float>(d.dx), -static_cast<float>(d.dy));
    e.pointer_x = e.offset.x * POINTER_WORLD_SCALE + e.pan_x;
    e.pointer_y = -(e.offset.y * POINTER_WORLD_SCALE + e.pan_y);

    if (in.held(KEY_SPACE)) {
        e.pan_x += d.dx * POINTER_WORLD_SCALE;
        e.pan_y += d.dy * POINTER_WORLD_SCALE;
    }

    bool editing = editing_input_down(in);
    begin_frame_edits(e.history, editing, e.level);

    if (e.add_blob.fire(in.held(key_letter('I')))) {
        Blob b;
        b.x = e.pointer_x;
        b.y = e.pointer_y;
        b.present = 1;
        e.level.blobs.push_back(b);
        for (Blob& old : e.level.blobs)
            old.kind = 1;
    }

    bool p_held = in.held(key_letter('P'));
    bool p_pressed = e.pick_blob.fire(p_held);
    if (p_held) {
        if (p_pressed)
            pick_point(e.level.blobs, e.pointer_x, e.pointer_y, PICK_DISTANCE_SQUARED,
                       e.blob_selection);
        drag_point(e.level.blobs, e.blob_selection, e.pointer_x, e.pointer_y); // none: nothing
    }

    if (e.add_point.fire(in.left_button))
        append_ground_point(e.level, e.pointer_x, e.pointer_y);

    bool right_pressed = e.pick_point.fire(in.right_button);
    if (in.right_button) {
        if (right_pressed)
            pick_pair_point(e.level.ground, e.level.base, e.pointer_x, e.pointer_y,
                            PICK_DISTANCE_SQUARED, e.point_selection, e.selection_is_base);
        drag_pair_point(e.level.ground, e.level.base, e.point_selection, e.selection_is_base,
                        e.pointer_x, e.pointer_y);
    }

    if (e.save.fire(in.held(key_letter('S'))))
        save_level(e, errors);
    if (e.load.fire(in.held(key_letter('L'))))
        load_level(e, errors);

    if (in.held(key_letter('R')) && !e.level.ground.empty()) {
        for (size_t i = 0; i + 1 < e.level.ground.size(); ++i) {
            e.level.ground[i].flag = 1;
            e.level.ground[i].type = SURFACE_GROUND;
        }
    }

    for (int digit = 1; digit <= 6; ++digit) {
        // The highest held digit wins; retyping needs a point to retype.
        if (in.held(key_digit(digit)) && in_range(e.point_selection, e.level.ground.size()))
            e.level.ground[e.point_selection].type = digit;
    }

    end_frame_edits(e.history, editing, e.level, view_of(e));
    LevelEditorView view = view_of(e);
    if (follow_undo_keys(e.undo_keys, in, e.history, e.level, view))
        show_view(e, view);

    advance_colour_cycle(e.pointer_colour);
}
