#include "glimbo/player_image.h"

#include <cmath>

namespace {

void write_rope(ByteWriter& w, const Rope& rope) {
    write_f32(w, rope.anchor_x);
    write_f32(w, rope.anchor_y);
    write_f32(w, rope.hit_distance);
    write_f32(w, rope.segment_length);
    write_f32(w, rope.node_weight);
    write_f32(w, rope.anchor_weight);
    // The anchor reference: a kind and an index, valid in any later run.
    write_i32(w, int32_t(rope.anchor.kind));
    write_i32(w, rope.anchor.index);
    write_f32(w, rope.hit_x);
    write_f32(w, rope.hit_y);
    write_u8(w, rope.rigid);
    write_u8(w, rope.attached);
    write_zeros(w, 2);
    for (const RopeNode& n : rope.nodes) {
        write_f32(w, n.x);
        write_f32(w, n.y);
        write_f32(w, n.prev_x);
        write_f32(w, n.prev_y);
    }
}

// Largest magnitude a stored real may have. Play never comes near it (balls move at most
// about 5 units a step); beyond it sums of positions could overflow to infinity.
constexpr float LARGEST_STORED_REAL = 1e7f;

// Reads one real and notes whether it is usable (finite and within the bound).
float read_real(ByteReader& r, bool& finite) {
    const float v = read_f32(r);
    if (!(std::fabs(v) <= LARGEST_STORED_REAL))
        finite = false;
    return v;
}

Rope read_rope(ByteReader& r, bool& finite) {
    Rope rope;
    rope.anchor_x = read_real(r, finite);
    rope.anchor_y = read_real(r, finite);
    rope.hit_distance = read_real(r, finite);
    rope.segment_length = read_real(r, finite);
    rope.node_weight = read_real(r, finite);
    rope.anchor_weight = read_real(r, finite);
    rope.anchor.kind = AnchorKind(read_i32(r));
    rope.anchor.index = read_i32(r);
    rope.hit_x = read_real(r, finite);
    rope.hit_y = read_real(r, finite);
    rope.rigid = read_u8(r);
    rope.attached = read_u8(r);
    skip_bytes(r, 2);
    for (RopeNode& n : rope.nodes) {
        n.x = read_real(r, finite);
        n.y = read_real(r, finite);
        n.prev_x = read_real(r, finite);
        n.prev_y = read_real(r, finite);
    }
    return rope;
}

// An anchor must name the ground, one of the 200 sheep or an allocated player record;
// anything else would make the rope pull at memory that is not there.
bool anchor_is_valid(const AnchorRef& a, int player_slots) {
    switch (a.kind) {
    case AnchorKind::own:
        return true;
    case AnchorKind::sheep:
        return a.index >= 0 && a.index < FLOCK_SIZE;
    case AnchorKind::player:
        return a.index >= 0 && a.index < player_slots;
    }
    return false;
}

// A rope's weights are the shares of a link correction that its two ends take. The game
// uses shares from 0 to 2; beyond that a correction overshoots by more than the error and
// grows every pass, so one step drives the rope to infinity.
bool weights_are_usable(const Rope& rope) {
    return rope.node_weight >= 0 && rope.node_weight <= 2 && rope.anchor_weight >= 0 &&
           rope.anchor_weight <= 2;
}

} // namespace

void write_player_image(ByteWriter& w, const Player& p) {
    write_f32(w, p.x);
    write_f32(w, p.y);
    write_f32(w, p.prev_x);
    write_f32(w, p.prev_y);
    write_f32(w, p.radius);
    write_zeros(w, 8);
    write_f32(w, p.aim_x);
    write_f32(w, p.aim_y);
    write_f32(w, p.pointer_x);
    write_f32(w, p.pointer_y);
    write_f32(w, p.pointer_dx);
    write_f32(w, p.pointer_dy);
    write_f32(w, p.wheel);
    write_f32(w, p.contact_timer);
    write_zeros(w, 2);
    write_u8(w, p.in_contact);
    write_zeros(w, 1);
    write_u8(w, p.was_in_contact);
    write_zeros(w, 3);
    for (const Rope& rope : p.ropes)
        write_rope(w, rope);
    for (uint8_t b : p.button_down)
        write_u8(w, b);
    for (uint8_t b : p.button_ready)
        write_u8(w, b);
    write_zeros(w, 2);
    write_f32(w, p.roll_angle);
    write_zeros(w, 4);
    write_u8(w, p.roll_held);
    write_zeros(w, 3);
    write_i32(w, p.jump_key);
    write_i32(w, p.roll_key);
    write_i32(w, p.rigid_key);
    write_zeros(w, 4);
    write_i32(w, p.nearest_blob);
}

bool read_player_image(ByteReader& r, Player& out, int player_slots) {
    // Only whole records are applied: a record cut short leaves the player as it was.
    if (!r.can_read(PLAYER_IMAGE_BYTES)) {
        skip_bytes(r, r.remaining());
        return false;
    }
    bool finite = true;
    Player p;
    p.x = read_real(r, finite);
    p.y = read_real(r, finite);
    p.prev_x = read_real(r, finite);
    p.prev_y = read_real(r, finite);
    p.radius = read_real(r, finite);
    skip_bytes(r, 8);
    p.aim_x = read_real(r, finite);
    p.aim_y = read_real(r, finite);
    p.pointer_x = read_real(r, finite);
    p.pointer_y = read_real(r, finite);
    p.pointer_dx = read_real(r, finite);
    p.pointer_dy = read_real(r, finite);
    p.wheel = read_real(r, finite);
    p.contact_timer = read_real(r, finite);
    skip_bytes(r, 2);
    p.in_contact = read_u8(r);
    skip_bytes(r, 1);
    p.was_in_contact = read_u8(r);
    skip_bytes(r, 3);
    for (Rope& rope : p.ropes)
        rope = read_rope(r, finite);
    for (uint8_t& b : p.button_down)
        b = read_u8(r);
    for (uint8_t& b : p.button_ready)
        b = read_u8(r);
    skip_bytes(r, 2);
    p.roll_angle = read_f32(r); // a drawing angle: it grows without bound while rolling
    if (!std::isfinite(p.roll_angle))
        finite = false;
    skip_bytes(r, 4);
    p.roll_held = read_u8(r);
    skip_bytes(r, 3);
    p.jump_key = read_i32(r);
    p.roll_key = read_i32(r);
    p.rigid_key = read_i32(r);
    skip_bytes(r, 4);
    p.nearest_blob = read_i32(r);

    // A real that is not finite (or absurdly large) would spread NaN through the whole
    // world: reject the record, as for weights that make a rope diverge.
    if (!finite)
        return false;
    for (const Rope& rope : p.ropes)
        if (!weights_are_usable(rope))
            return false;
    for (Rope& rope : p.ropes) {
        if (!anchor_is_valid(rope.anchor, player_slots)) {
            rope.anchor = {AnchorKind::own, 0};
            rope.attached = 0;
        }
    }
    out = p;
    return true;
}
