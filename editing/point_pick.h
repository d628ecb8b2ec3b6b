// Picking and dragging with the editor pointer: the nearest point within a distance, over
// one line of points or over a line and the line of its partners (ground and base, top and
// bottom), with the index of the last pick kept when nothing is near.
#pragma once

#include <cstddef>

// The index of the point nearest to (x, y) of those nearer than `best` (a squared distance),
// which becomes that point's; -1 when none is nearer. The first of equals wins.
template <class Points> int pick_nearer(const Points& points, float x, float y, float& best) {
    int found = -1;
    for (size_t i = 0; i < points.size(); ++i) {
        float dx = points[i].x - x, dy = points[i].y - y;
        float d = dx * dx + dy * dy;
        if (d < best) {
            best = d;
            found = static_cast<int>(i);
        }
    }
    return found;
}

// Sets `index` to the point nearest to (x, y) within `limit`; keeps it when none is.
template <class Points>
void pick_point(const Points& points, float x, float y, float limit, int& index) {
    int found = pick_nearer(points, x, y, limit);
    if (found >= 0)
        index = found;
}

// Moves the picked point to (x, y); nothing while the index is past the line.
template <class Points> void drag_point(Points& points, int index, float x, float y) {
    if (index < 0 || static_cast<size_t>(index) >= points.size())
        return;
    points[index].x = x;
    points[index].y = y;
}

// Picks over both lines, a partner only when nearer than any first-line point; keeps
// `index` when nothing is within `limit` but always sets `in_second`.
template <class First, class Second>
void pick_pair_point(const First& first, const Second& second, float x, float y, float limit,
                     int& index, bool& in_second) {
    float best = limit;
    int a = pick_nearer(first, x, y, best);
    int b = pick_nearer(second, x, y, best);
    in_second = b >= 0;
    if (in_second)
        index = b;
    else if (a >= 0)
        index = a;
}

// Moves the picked point to (x, y); nothing while the index is past the first line (a load
// can leave fewer points than the selection).
template <class First, class Second>
void drag_pair_point(First& first, Second& second, int index, bool in_second, float x, float y) {
    if (index < 0 || static_cast<size_t>(index) >= first.size())
        return;
    if (in_second) {
        second[index].x = x;
        second[index].y = y;
    } else {
        first[index].x = x;
        first[index].y = y;
    }
}
