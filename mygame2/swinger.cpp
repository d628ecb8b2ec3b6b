#include "mygame2/swinger.h"

#include <algorithm>

namespace {

void steer_pointer(SwingerWorld& w, const FrameInput& in) {
    CursorDelta d = cursor_delta(in);
    move_pointer_offset(w.offset, -static_cast<float>(d.dx), static_cast<float>(d.dy));
    w.pointer = {w.offset.x * POINTER_WORLD_SCALE + w.camera_x, w.offset.y * POINTER_WORLD_SCALE};
}

float read_controls(SwingerWorld& w, const FrameInput& in) {
    Mass& p = w.player;
    bool down = in.held(key_letter('S')) || in.held(KEY_DOWN);
    float gravity = (!w.on_ground || down) ? -0.07f : -0.04f;
    float push = (w.on_ground ? 1.0f : 0.0f) * 0.08f + 0.02f;
    if ((in.held(KEY_LEFT) || in.held(key_letter('A'))) && p.x - p.px > -1)
        p.x -= push;
    if ((in.held(KEY_RIGHT) || in.held(key_letter('D'))) && p.x - p.px < 1)
        p.x += push;
    if (down)
        gravity -= 0.1f;
    if (in.held(key_letter('W')) || in.held(KEY_UP))
        gravity += 0.03f;
    if (in.held(KEY_SPACE)) {
        if (w.jump_armed && w.on_ground)
            p.y += 1.2f;
        w.jump_armed = false;
    } else {
        w.jump_armed = true;
    }
    return gravity;
}

void fire(SwingerWorld& w, const FrameInput& in) {
    Grapple& g = w.grapple;
    Mass& p = w.player;
    g.stiff = in.held(KEY_SHIFT);
    float best = SHOT_RANGE;
    g.attached = find_shot_anchor(w.ground, p.pos(), w.pointer, g.anchor, best);
    // The rope starts laid straight from the anchor to the player, moving with the player.
    Vec2 v = p.velocity();
    for (int k = 0; k < ROPE_POINTS; ++k) {
        float f = static_cast<float>(k + 1) / ROPE_POINTS;
        RopePoint& r = g.points[k];
        r.x = g.anchor.x + f * (p.x - g.anchor.x);
        r.y = g.anchor.y + f * (p.y - g.anchor.y);
        r.px = r.x - f * v.x;
        r.py = r.y - f * v.y;
    }
    g.segment_length = best / 13;
    g.fire_armed = false;
}

void solve_rope(SwingerWorld& w) {
    Grapple& g = w.grapple;
    Mass& p = w.player;
    float seg = g.segment_length;
    if (g.stiff) {
        Vec2 d = g.anchor - p.pos();
        float len = length(d);
        if (len > 0) { // the player on the anchor gives no direction
            float k = 0.4f * (13 * seg - len) / len;
            p.x -= k * d.x;
            p.y -= k * d.y;
        }
        return;
    }
    for (int pass = 0; pass < 50; ++pass) {
        RopePoint& first = g.points[0];
        Vec2 e{first.x - g.anchor.x, first.y - g.anchor.y};
        float len = length(e);
        if (len > 0) {
            first.x = g.anchor.x + e.x * (seg / len);
            first.y = g.anchor.y + e.y * (seg / len);
        }
        for (int k = 0; k + 1 < ROPE_POINTS; ++k) {
            RopePoint &a = g.points[k], &b = g.points[k + 1];
            pull_to_distance(a.x, a.y, b.x, b.y, seg, 0.5f);
        }
        RopePoint& last = g.points[ROPE_POINTS - 1];
        Vec2 d{last.x - p.x, last.y - p.y};
        float l = length(d);
        if (l > 0) {
            float c = (seg - l) * 0.5f / l;
            last.x += 1.9f * c * d.x;
            last.y += 1.9f * c * d.y;
            p.x -= 0.1f * c * d.x;
            p.y -= 0.1f * c * d.y;
        }
    }
}

void grapple_step(SwingerWorld& w, const FrameInput& in) {
    Grapple& g = w.grapple;
    if (!in.left_button) {
        g.attached = false;
        g.fire_armed = true;
    } else {
        if (g.fire_armed)
            fire(w, in);
        if (g.attached) {
            g.segment_length =
                std::clamp(g.segment_length - 0.01f, ROPE_SEGMENT_MIN, ROPE_SEGMENT_MAX);
            solve_rope(w);
        }
    }
    if (in.right_button)
        g.segment_length += 0.02f;
}

void integrate(float& x, float& y, float& px, float& py, float gravity) {
    float vx = x - px, vy = y - py;
    x += vx;
    y += vy + gravity;
    px += vx;
    py += vy;
}

void collide(SwingerWorld& w) {
    Mass& p = w.player;
    w.on_ground = collide_with_ground(p.x, p.y, p.radius, w.ground);
    if (p.y < p.radius + FLOOR_Y) {
        p.y = p.radius + FLOOR_Y;
        w.on_ground = true;
    }
    for (Sheep& sheep : w.sheep) {
        Mass& s = sheep.body;
        bounce_sheep_on_floor(s);
        collide_with_ground(s.x, s.y, s.radius, w.ground);
        if (length(s.pos() - p.pos()) < s.radius + p.radius) {
            w.on_ground = true; // a sheep underfoot is ground to jump from
            push_apart(s.x, s.y, p.x, p.y, s.radius + p.radius);
        }
    }
    for (size_t i = 0; i < w.sheep.size(); ++i)
        for (size_t j = i + 1; j < w.sheep.size(); ++j) {
            Mass& a = w.sheep[i].body;
            Mass& b = w.sheep[j].body;
            if (length(a.pos() - b.pos()) < a.radius + b.radius)
                push_apart(a.x, a.y, b.x, b.y, a.radius + b.radius);
        }
}

} // namespace

bool find_shot_anchor(const MyGameData& ground, Vec2 from, Vec2 to, Vec2& anchor, float& distance) {
    float best = SHOT_RANGE;
    bool found = false;
    for (size_t i = 0; i + 1 < ground.top.size(); ++i) {
        Vec2 s1{ground.top[i].x, ground.top[i].y};
        Vec2 s2{ground.top[i + 1].x, ground.top[i + 1].y};
        float t = 0, s = 0;
        if (!line_intersection(from, to, s1, s2, t, s) || !params_in_unit_range(t, s))
            continue;
        Vec2 hit = from + (to - from) * t;
        float dist = length(hit - from);
        if (dist < best) {
            best = dist;
            anchor = hit;
            found = true;
        }
    }
    if (found)
        distance = best;
    return found;
}

SwingerWorld make_swinger_world() {
    SwingerWorld w;
    w.sheep = spawn_flock(SWINGER_SHEEP_COUNT);
    w.clouds = make_clouds(CLOUD_COUNT);
    return w;
}

void swinger_step(SwingerWorld& w, const FrameInput& in) {
    steer_pointer(w, in);
    float gravity = read_controls(w, in);
    grapple_step(w, in);
    integrate(w.player.x, w.player.y, w.player.px, w.player.py, gravity);
    for (RopePoint& r : w.grapple.points)
        integrate(r.x, r.y, r.px, r.py, gravity);
    for (Sheep& s : w.sheep)
        integrate_sheep(s.body, gravity);
    collide(w);
    w.camera_x += (w.player.x - w.camera_x) * 0.58f;
    advance_colour_cycle(w.pointer_colour);
}
