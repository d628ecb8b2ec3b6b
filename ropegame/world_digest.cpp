#include "replay/digest.h"
#include "ropegame/replay_seam.h"

namespace ropegame {
namespace {

// A new field in these records must join the digest below; the sizes catch a forgotten one.
static_assert(sizeof(Player) == 712, "Player changed: digest the new field");
static_assert(sizeof(PointerInput) == 20, "PointerInput changed: digest the new field");
static_assert(sizeof(TitleKeyLatches) == 6, "TitleKeyLatches changed: digest the new field");
static_assert(sizeof(PlayButton) == 20, "PlayButton changed: digest the new field");

void digest_player(Fnv1a& d, const Player& p) {
    d.f32(p.x);
    d.f32(p.y);
    d.f32(p.prev_x);
    d.f32(p.prev_y);
    d.f32(p.radius);
    d.f32(p.aim_x);
    d.f32(p.aim_y);
    d.f32(p.contact_timer);
    d.u8(p.in_contact);
    for (const Rope& rope : p.ropes)
        digest_rope(d, rope);
    d.bytes(p.button_down);
    d.bytes(p.button_ready);
    d.u8(p.roll_held);
}

void digest_pointer(Fnv1a& d, const PointerInput& in) {
    d.f32(in.pointer_x);
    d.f32(in.pointer_y);
    d.f32(in.wheel);
    d.f32(in.offset_x);
    d.f32(in.offset_y);
}

} // namespace

uint64_t world_digest(const World& w) {
    Fnv1a d;
    digest_world_common(d, w);
    d.count(w.players.size());
    for (const Player& p : w.players)
        digest_player(d, p);
    d.count(w.pointer_inputs.size());
    for (const PointerInput& in : w.pointer_inputs)
        digest_pointer(d, in);
    d.i32(w.player_count);
    for (const Sheep& s : w.flock)
        digest_sheep(d, s);
    digest_level(d, w.level);
    for (const auto& name : w.level_names)
        for (char c : name)
            d.u8(uint8_t(c));
    d.flag(w.playing);
    d.i32(w.level_index);
    d.flag(w.play_armed);
    d.flag(w.camera_midpoint_mode);
    d.flag(w.inflate_mode);
    d.flag(w.flock_enabled);
    d.flag(w.trail_enabled);
    const TitleKeyLatches& l = w.latches;
    for (bool latch : {l.next, l.previous, l.f, l.t, l.l, l.g})
        d.flag(latch);
    d.f32(w.play_button.x);
    d.f32(w.play_button.y);
    d.f32(w.play_button.half_width);
    d.f32(w.play_button.half_height);
    d.i32(w.play_button.texture_slot);
    d.bytes(w.key_down);
    return d.hash;
}

} // namespace ropegame
