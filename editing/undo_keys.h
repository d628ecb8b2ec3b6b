// The editors' undo keys: Ctrl+Z undoes, Ctrl+Y or Ctrl+Shift+Z redoes. The command is the
// one the modifiers say when Z or Y goes down, once per press: holding the keys does not
// repeat, and letting go of Shift while Z stays down does not turn a redo into an undo.
#pragma once

#include "editing/edit_history.h"
#include "editing/input.h"

struct UndoKeys {
    PressLatch z, y;
};

// Undoes or redoes by this frame's keys; true when `data` and `view` were replaced.
template <class Data, class View>
bool follow_undo_keys(UndoKeys& keys, const FrameInput& in, EditHistory<Data, View>& history,
                      Data& data, View& view) {
    bool z = keys.z.fire(in.held(key_letter('Z')));
    bool y = keys.y.fire(in.held(key_letter('Y')));
    if (!in.held(KEY_CONTROL))
        return false;
    if (y || (z && in.held(KEY_SHIFT)))
        return redo_edit(history, data, view);
    return z && undo_edit(history, data, view);
}
