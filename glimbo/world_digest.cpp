#include "glimbo/replay_seam.h"

#include "replay/digest.h"

namespace {

// A new field in these records must join the digest below; the sizes catch a forgotten one.
static_assert(sizeof(Player) == 748, "Player changed: digest the new field");
static_assert(sizeof(MenuItem) == 40, "MenuItem changed: digest the new field");
static_assert(sizeof(MenuKeyLatches) == 7, "MenuKeyLatches changed: digest the new field");

void digest_player(Fnv1a& d, const Player& p) {
    d.f32(p.x);
    d.f32(p.y);
    d.f32(p.prev_x);
    d.f32(p.prev_y);
    d.f32(p.radius);
    d.f32(p.aim_x);
    d.f32(p.aim_y);
    d.f32(p.pointer_x);
    d.f32(p.pointer_y);
    d.f32(p.pointer_dx);
    d.f32(p.pointer_dy);
    d.f32(p.wheel);
    d.f32(p.contact_timer);
    d.u8(p.in_contact);
    d.u8(p.was_in_contact);
    for (const Rope& rope : p.ropes)
        digest_rope(d, rope);
    d.bytes(p.button_down);
    d.bytes(p.button_ready);
    d.u8(p.roll_held);
    d.i32(p.jump_key);
    d.i32(p.roll_key);
    d.i32(p.rigid_key);
    d.i32(p.nearest_blob);
}

void digest_menu_item(Fnv1a& d, const MenuItem& m) {
    d.f32(m.x);
    d.f32(m.y);
    d.f32(m.half_width);
    d.f32(m.half_height);
    for (char c : m.label)
        d.u8(uint8_t(c));
    d.i32(m.texture_slot);
}

} // namespace

uint64_t world_digest(const GameState& gs) {
    Fnv1a d;
    digest_world_common(d, gs);
    d.count(gs.players.size());
    for (const Player& p : gs.players)
        digest_player(d, p);
    d.i32(gs.player_count);
    for (const Sheep& s : gs.flock)
        digest_sheep(d, s);
    digest_level(d, gs.level);
    d.flag(gs.playing);
    d.i32(gs.level_index);
    d.i32(gs.highest_level);
    d.i32(gs.sound_channel);
    d.flag(gs.inflate_mode);
    d.flag(gs.soft_collisions);
    d.flag(gs.flock_enabled);
    d.flag(gs.trail_enabled);
    d.flag(gs.background_enabled);
    d.flag(gs.menu_armed);
    d.flag(gs.played_last_step);
    const MenuKeyLatches& l = gs.latches;
    for (bool latch : {l.shift_9, l.shift_0, l.shift_f, l.t, l.l, l.j, l.b})
        d.flag(latch);
    d.bytes(gs.key_down);
    for (const MenuItem& m : gs.menu_items)
        digest_menu_item(d, m);
    d.flag(gs.binding_mode);
    d.i32(gs.binding_player);
    d.i32(gs.binding_step);
    d.u8(gs.last_right);
    d.u8(gs.toggle_armed);
    return d.hash;
}
