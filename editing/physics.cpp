#include "editing/physics.h"

#include <cmath>

float length(Vec2 v) {
    return std::sqrt(v.x * v.x + v.y * v.y);
}

Mass make_mass(float x, float y, float radius) {
    return {x, y, x, y, radius};
}

static float cross(Vec2 a, Vec2 b) {
    return a.x * b.y - a.y * b.x;
}

bool line_intersection(Vec2 a1, Vec2 a2, Vec2 b1, Vec2 b2, float& s, float& t) {
    Vec2 a = a2 - a1;
    Vec2 b = b2 - b1;
    Vec2 c = b1 - a1;
    float det = cross(a, b);
    if (det == 0)
        return false;
    s = cross(c, b) / det;
    t = cross(c, a) / det;
    return true;
}

bool collide_with_segment(float& x, float& y, float radius, Vec2 s1, Vec2 s2) {
    Vec2 d = s2 - s1;
    float len = length(d);
    if (len == 0)
        return false; // a zero-length segment has no normal to push along
    Vec2 n{d.y / len, -d.x / len};
    Vec2 p{x, y};
    float s = 0, t = 0;
    if (!line_intersection(s1, s2, p - n * radius, p + n * radius, s, t))
        return false;
    if (!params_in_unit_range(s, t))
        return false;
    Vec2 rest = s1 + d * s - n * radius;
    x = rest.x;
    y = rest.y;
    return true;
}

bool collide_with_ground(float& x, float& y, float radius, const MyGameData& ground) {
    bool touched = false;
    for (size_t i = 0; i + 1 < ground.top.size(); ++i) {
        Vec2 s1{ground.top[i].x, ground.top[i].y};
        Vec2 s2{ground.top[i + 1].x, ground.top[i + 1].y};
        if (collide_with_segment(x, y, radius, s1, s2))
            touched = true;
    }
    return touched;
}

void pull_to_distance(float& x1, float& y1, float& x2, float& y2, float rest, float share) {
    float ex = x1 - x2, ey = y1 - y2;
    float len = length({ex, ey});
    if (len == 0)
        return; // coincident ends: no direction to correct along
    float k = (rest - len) * share / len;
    x1 += k * ex;
    y1 += k * ey;
    x2 -= k * ex;
    y2 -= k * ey;
}

void relax_link(Mass& a, Mass& b, float rest) {
    pull_to_distance(a.x, a.y, b.x, b.y, rest, 0.3f);
}

void push_apart(float& x1, float& y1, float& x2, float& y2, float target) {
    // Coincident centres have no direction; the random drift separates them.
    pull_to_distance(x1, y1, x2, y2, target, 0.4f);
}
