// Undo and redo for the editors. An edit is one gesture: from the frame an editing input goes
// down to the frame none is down any more (one drag, one key press), recorded only when the
// edited data changed. Each step keeps whole copies of the data before and after it, with the
// view to show with each (the pointer and the selection), so the user sees what changed.
#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <utility>
#include <vector>

constexpr size_t EDIT_HISTORY_STEPS = 200; // past this the oldest step is dropped

template <class Data, class View> struct EditHistory {
    struct Step {
        Data before, after;
        View view_before, view_after;
    };
    std::deque<Step> done;             // undo takes the last
    std::vector<Step> undone;          // redo takes the last; a new edit clears them
    std::optional<Data> gesture_start; // the data when the open gesture began
    std::optional<View> gesture_view;  // the view after the gesture's first frame
};

// Before a frame's edits: a gesture opens when an editing input is down and none is open.
template <class Data, class View>
void begin_frame_edits(EditHistory<Data, View>& h, bool editing, const Data& data) {
    if (editing && !h.gesture_start)
        h.gesture_start = data;
}

// After a frame's edits: keeps the view of the gesture's first frame (the pointer where it
// began, the point it picked); once no editing input is down, closes the gesture and records
// it as one step if the data changed.
template <class Data, class View>
void end_frame_edits(EditHistory<Data, View>& h, bool editing, const Data& data, const View& view) {
    if (!h.gesture_start)
        return;
    if (!h.gesture_view)
        h.gesture_view = view;
    if (editing)
        return;
    if (!(*h.gesture_start == data)) {
        h.undone.clear();
        h.done.push_back({std::move(*h.gesture_start), data, std::move(*h.gesture_view), view});
        if (h.done.size() > EDIT_HISTORY_STEPS)
            h.done.pop_front();
    }
    h.gesture_start.reset();
    h.gesture_view.reset();
}

// Puts back the data and view from before the last step. Does nothing when there is none, or
// while a gesture is open: its end would record a step over the restored data.
template <class Data, class View>
bool undo_edit(EditHistory<Data, View>& h, Data& data, View& view) {
    if (h.gesture_start || h.done.empty())
        return false;
    h.undone.push_back(std::move(h.done.back()));
    h.done.pop_back();
    data = h.undone.back().before;
    view = h.undone.back().view_before;
    return true;
}

// Makes the last undone step again, with the view it ended with.
template <class Data, class View>
bool redo_edit(EditHistory<Data, View>& h, Data& data, View& view) {
    if (h.gesture_start || h.undone.empty())
        return false;
    h.done.push_back(std::move(h.undone.back()));
    h.undone.pop_back();
    data = h.done.back().after;
    view = h.done.back().view_after;
    return true;
}
