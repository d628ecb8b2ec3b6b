// Position-based physics shared by the prototypes: round masses, distance links, the push
// apart of two touching bodies and the one-sided collision with a ground segment.
#pragma once

#include "level/mygame_file.h"

struct Vec2 {
    float x = 0, y = 0;
};

inline Vec2 operator+(Vec2 a, Vec2 b) {
    return {a.x + b.x, a.y + b.y};
}
inline Vec2 operator-(Vec2 a, Vec2 b) {
    return {a.x - b.x, a.y - b.y};
}
inline Vec2 operator*(Vec2 a, float k) {
    return {a.x * k, a.y * k};
}
float length(Vec2 v);

// A point mass: the velocity is position minus previous position.
struct Mass {
    float x = 0, y = 0;
    float px = 0, py = 0;
    float radius = 1;

    Vec2 pos() const { return {x, y}; }
    Vec2 velocity() const { return {x - px, y - py}; }
};

Mass make_mass(float x, float y, float radius); // at rest

// The ground floor under everything.
constexpr float FLOOR_Y = -10.8f;

// Crossing of the lines a1-a2 and b1-b2: a1 + s(a2-a1) = b1 + t(b2-b1). Returns false for
// parallel lines; otherwise sets s and t (which may lie outside [0, 1]).
bool line_intersection(Vec2 a1, Vec2 a2, Vec2 b1, Vec2 b2, float& s, float& t);

// True when both parameters lie in [0, 1], ends included.
inline bool params_in_unit_range(float s, float t) {
    return s >= 0 && s <= 1 && t >= 0 && t <= 1;
}

// Pushes a mass of the given radius out of the segment s1-s2 along the segment's normal,
// so it rests `radius` on the open side (above a segment drawn left to right). Only the
// position moves. Returns true on contact.
bool collide_with_segment(float& x, float& y, float radius, Vec2 s1, Vec2 s2);

// Collides with every segment of the ground's top line, in order; true on any contact.
bool collide_with_ground(float& x, float& y, float radius, const MyGameData& ground);

// Moves both ends along their joining line by `share` of the length error each, `first`
// along first - second; nothing when the ends coincide.
void pull_to_distance(float& x1, float& y1, float& x2, float& y2, float rest, float share);

// Moves both ends along their joining line by 0.3 of the length error each.
void relax_link(Mass& a, Mass& b, float rest);

// Pushes two bodies towards the distance `target` by 0.4 of the error each; `first` moves
// along first - second.
void push_apart(float& x1, float& y1, float& x2, float& y2, float target);
