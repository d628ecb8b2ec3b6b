#include "replay/digest.h"

#include <bit>

void Fnv1a::u32(uint32_t v) {
    for (int i = 0; i < 4; ++i)
        byte(uint8_t(v >> (8 * i)));
}

void Fnv1a::f32(float v) {
    u32(std::bit_cast<uint32_t>(v));
}

void Fnv1a::u64(uint64_t v) {
    for (int i = 0; i < 8; ++i)
        byte(uint8_t(v >> (8 * i)));
}

void Fnv1a::bytes(std::span<const uint8_t> b) {
    for (uint8_t v : b)
        byte(v);
}

void digest_rope(Fnv1a& d, const Rope& r) {
    d.f32(r.anchor_x);
    d.f32(r.anchor_y);
    d.f32(r.hit_distance);
    d.f32(r.segment_length);
    d.f32(r.node_weight);
    d.f32(r.anchor_weight);
    d.i32(int32_t(r.anchor.kind));
    d.i32(r.anchor.index);
    d.f32(r.hit_x);
    d.f32(r.hit_y);
    d.u8(r.rigid);
    d.u8(r.attached);
    for (const RopeNode& n : r.nodes) {
        d.f32(n.x);
        d.f32(n.y);
        d.f32(n.prev_x);
        d.f32(n.prev_y);
    }
}

void digest_sheep(Fnv1a& d, const Sheep& s) {
    d.f32(s.x);
    d.f32(s.y);
    d.f32(s.prev_x);
    d.f32(s.prev_y);
    d.f32(s.radius);
}

void digest_world_common(Fnv1a& d, const WorldCommon& w) {
    d.f32(w.gravity_x);
    d.f32(w.gravity_y);
    d.f32(w.camera_x);
    d.f32(w.camera_y);
    d.f32(w.camera_distance);
    d.f32(w.light_x);
    d.f32(w.light_y);
    d.f32(w.time_taken);
    for (float rate : w.frame_rate_history)
        d.f32(rate);
    d.f32(w.frame_rate);
    d.i32(w.blobs_left);
}

void digest_level(Fnv1a& d, const LevelData& level) {
    d.count(level.ground.size());
    for (const GroundPoint& p : level.ground) {
        d.f32(p.x);
        d.f32(p.y);
        d.u8(p.flag);
        d.i32(p.type);
    }
    d.count(level.base.size());
    for (const BasePoint& p : level.base) {
        d.f32(p.x);
        d.f32(p.y);
    }
    d.count(level.blobs.size());
    for (const Blob& b : level.blobs) {
        d.f32(b.x);
        d.f32(b.y);
        d.u8(b.present);
        d.i32(b.kind);
    }
    d.count(level.balls.size());
    for (const BallMark& m : level.balls) {
        d.f32(m.x);
        d.f32(m.y);
        d.f32(m.radius);
        d.u8(m.flag);
    }
    d.count(level.sheep.size());
    for (const SheepMark& m : level.sheep) {
        d.f32(m.x);
        d.f32(m.y);
        d.f32(m.unused_a);
        d.f32(m.unused_b);
        d.f32(m.radius);
        d.f32(m.unused_c);
        d.f32(m.unused_d);
        d.u8(m.flag);
    }
}
