#include "mygame1/hopper.h"

namespace {

struct StepForces {
    float leg = 1;
    float lift = 0.125f;
    float gravity = -0.1f;
};

void steer_pointer(HopperWorld& w, const FrameInput& in) {
    CursorDelta d = cursor_delta(in);
    move_pointer_offset(w.offset, -static_cast<float>(d.dx), static_cast<float>(d.dy));
    w.pointer = {w.offset.x * POINTER_WORLD_SCALE + w.camera_x, w.offset.y * POINTER_WORLD_SCALE};
}

StepForces read_controls(HopperWorld& w, const FrameInput& in) {
    Creature& c = w.creature;
    StepForces f;
    bool crouch = in.held(KEY_DOWN) || in.held(key_letter('S'));
    if (!c.on_ground || crouch) {
        f.lift = 0.005f;
        f.gravity = -0.07f;
    }
    float push = (c.on_ground ? 1.0f : 0.0f) * 0.08f + 0.02f;
    if (in.held(KEY_LEFT) || in.held(key_letter('A'))) {
        c.facing_left = true;
        c.foot.x -= push;
    }
    if (in.held(KEY_RIGHT) || in.held(key_letter('D'))) {
        c.facing_left = false;
        c.foot.x += push;
    }
    if (crouch)
        f.leg = 0.5f;
    if (in.held(key_letter('W')) || in.held(KEY_UP)) {
        f.lift += 0.23f;
        f.gravity -= 0.1f;
    }
    if (in.held(KEY_SPACE)) {
        f.leg *= 1.8f;
        if (c.jump_armed && c.on_ground) {
            // Moving positions without their previous positions is an impulse.
            c.head.y += 1.2f;
            c.handle.y += 1.3f;
            c.ball.y += 1.3f;
        }
        c.jump_armed = false;
    } else {
        c.jump_armed = true;
    }
    return f;
}

void steer_stick(HopperWorld& w, const FrameInput& in) {
    Creature& c = w.creature;
    if (in.left_button) {
        Vec2 d = w.pointer - c.ball.pos();
        float s = 5 * length(d);
        if (s > 0) { // the pointer right on the ball gives no direction
            Vec2 u = d * (1 / s);
            if (s > 20) {
                c.head.x -= u.x; // the reaction of a long pull
                c.head.y -= u.y;
            } else {
                u = u * 0.2f;
            }
            c.ball.x += u.x;
            c.ball.y += u.y;
        }
    }
    if (in.right_button) {
        Vec2 d = w.pointer - c.head.pos();
        float s = 5 * length(d);
        if (s > 0) {
            Vec2 u = d * (1 / s);
            c.ball.x += -u.y;
            c.ball.y += u.x;
            c.handle.x += u.x + u.y;
            c.handle.y += u.y - u.x;
            c.head.x -= u.x;
            c.head.y -= u.y;
        }
    }
}

void integrate_creature(Creature& c, const StepForces& f) {
    Vec2 v = c.head.velocity();
    c.head.x += v.x + random_scaled(0.01f) - 0.005f;
    c.head.y += v.y + random_scaled(0.01f) + f.gravity + f.lift - 0.005f;
    c.head.px += v.x;
    c.head.py += v.y;

    v = c.foot.velocity();
    c.foot.x += v.x * (c.on_ground ? 0.8f : 0.95f);
    c.foot.y += v.y * 0.8f + f.gravity;
    c.foot.px += v.x;
    c.foot.py += v.y;

    for (Mass* m : {&c.handle, &c.ball}) {
        v = m->velocity();
        m->x += v.x;
        m->y += v.y + 0.1f * f.gravity;
        m->px += v.x;
        m->py += v.y;
    }
}

// Returns true when the mass was held up by the floor.
bool hold_on_floor(Mass& m) {
    if (m.y < m.radius + FLOOR_Y) {
        m.y = m.radius + FLOOR_Y;
        return true;
    }
    return false;
}

void collide_creature(HopperWorld& w) {
    Creature& c = w.creature;
    c.on_ground = false;
    for (size_t i = 0; i + 1 < w.ground.top.size(); ++i) {
        Vec2 s1{w.ground.top[i].x, w.ground.top[i].y};
        Vec2 s2{w.ground.top[i + 1].x, w.ground.top[i + 1].y};
        if (collide_with_segment(c.foot.x, c.foot.y, c.foot.radius, s1, s2))
            c.on_ground = true;
        collide_with_segment(c.head.x, c.head.y, c.head.radius, s1, s2);
        collide_with_segment(c.ball.x, c.ball.y, c.ball.radius, s1, s2);
    }
    hold_on_floor(c.head);
    if (hold_on_floor(c.foot))
        c.on_ground = true;
    hold_on_floor(c.handle);
    hold_on_floor(c.ball);
}

bool touching(const Mass& a, const Mass& b) {
    return length(a.pos() - b.pos()) < a.radius + b.radius;
}

void collide_sheep(HopperWorld& w) {
    Creature& c = w.creature;
    for (Sheep& sheep : w.sheep) {
        Mass& s = sheep.body;
        bounce_sheep_on_floor(s);
        collide_with_ground(s.x, s.y, s.radius, w.ground);
        if (touching(s, c.head))
            push_apart(s.x, s.y, c.head.x, c.head.y, c.head.radius + s.radius);
        if (touching(s, c.foot)) {
            push_apart(s.x, s.y, c.foot.x, c.foot.y, c.foot.radius + s.radius);
            c.on_ground = true;
        }
        if (touching(s, c.ball)) {
            Vec2 rel = c.ball.velocity() - s.velocity();
            sheep.health -= 10 * (rel.x * rel.x + rel.y * rel.y);
            push_apart(s.x, s.y, c.ball.x, c.ball.y, 1.9f * (c.ball.radius + s.radius));
        }
        if (sheep.health < 0)
            sheep = spawn_sheep();
    }
    for (size_t i = 0; i < w.sheep.size(); ++i)
        for (size_t j = i + 1; j < w.sheep.size(); ++j) {
            Mass& a = w.sheep[i].body;
            Mass& b = w.sheep[j].body;
            if (touching(a, b))
                push_apart(a.x, a.y, b.x, b.y, a.radius + b.radius);
        }
}

} // namespace

HopperWorld make_hopper_world() {
    HopperWorld w;
    w.sheep = spawn_flock(HOPPER_SHEEP_COUNT);
    w.clouds = make_clouds(CLOUD_COUNT);
    return w;
}

void hopper_step(HopperWorld& w, const FrameInput& in) {
    steer_pointer(w, in);
    StepForces f = read_controls(w, in);
    steer_stick(w, in);
    integrate_creature(w.creature, f);
    for (Sheep& s : w.sheep)
        integrate_sheep(s.body, f.gravity);
    Creature& c = w.creature;
    relax_link(c.head, c.foot, (c.head.radius + c.foot.radius) * f.leg);
    relax_link(c.head, c.handle, 1);
    relax_link(c.handle, c.ball, 2);
    collide_creature(w);
    collide_sheep(w);

    w.camera_x += (c.head.x - w.camera_x) * 0.58f;
    for (Sheep& s : w.sheep)
        s.facing = c.head.x > s.body.x;
    advance_colour_cycle(w.pointer_colour);
}
