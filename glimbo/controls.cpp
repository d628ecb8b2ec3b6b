#include "glimbo/game.h"
#include "physics/keys.h"

#include <cstring>

void key_event(GameState& gs, int code, bool down) {
    // Codes beyond the table come from no keyboard.
    if (code < 0 || code >= int(gs.key_down.size()))
        return;
    gs.key_down[size_t(code)] = down ? 1 : 0;
    if (!gs.binding_mode || !down)
        return;

    ++gs.binding_step;
    // The sequence only names allocated players; anything else ends it.
    if (gs.binding_player < 0 || gs.binding_player >= int(gs.players.size())) {
        gs.binding_mode = false;
        gs.binding_step = -1;
        return;
    }
    Player& p = gs.players[size_t(gs.binding_player)];
    if (gs.binding_step == 0)
        p.roll_key = code;
    else if (gs.binding_step == 1)
        p.jump_key = code;
    else if (gs.binding_step == 2)
        p.rigid_key = code;
    if (gs.binding_step == 2) {
        gs.binding_step = -1;
        ++gs.binding_player;
        if (gs.binding_player >= gs.player_count)
            gs.binding_mode = false;
    }
}

void player_mouse_input(GameState& gs, int i, int32_t x, int32_t y, int32_t wheel, bool left,
                        bool right, bool middle) {
    // Mouse indices come from the raw-input layer; a mouse without a record is ignored.
    if (i < 0 || i >= int(gs.players.size()))
        return;
    Player& p = gs.players[size_t(i)];

    const bool changed = (right ? 1 : 0) != gs.last_right;
    gs.last_right = right ? 1 : 0;

    p.pointer_dx += float(x) * 0.1f;
    p.pointer_dy -= float(y) * 0.1f;
    p.wheel = float(wheel);
    p.button_down[0] = left ? 1 : 0;
    if (changed) {
        if (gs.toggle_armed)
            p.button_down[1] = p.button_down[1] ? 0 : 1;
        gs.toggle_armed = 0;
    } else {
        gs.toggle_armed = 1;
    }
    p.button_down[2] = middle ? 1 : 0;
}

void fill_menu_items(GameState& gs) {
    struct Row {
        const char* label;
        float x, y, hw, hh;
    };
    static const Row rows[MENU_ITEM_COUNT] = {
        {"play", 0, 0, 4, 3},
        {"exit", 12, 0, 4, 3},
        {"back 1 level", -12, 0, 6, 3},
        {"restart level", 0, 6, 6, 3},
        {"next level", 0, -6, 6, 3},
        {"change controls", 12, 6, 6, 3},
        {"single player", -12, -6, 6, 3},
        {"save game", 12, -6, 6, 3},
        {"load game", -12, 6, 6, 3},
    };
    for (int k = 0; k < MENU_ITEM_COUNT; ++k) {
        MenuItem& m = gs.menu_items[size_t(k)];
        m = MenuItem{};
        m.x = rows[k].x;
        m.y = rows[k].y;
        m.half_width = rows[k].hw;
        m.half_height = rows[k].hh;
        std::strncpy(m.label, rows[k].label, sizeof(m.label) - 1);
        m.texture_slot = 5;
    }
}

void install_default_controls(GameState& gs) {
    auto player = [&](int i) -> Player* {
        return i < int(gs.players.size()) ? &gs.players[size_t(i)] : nullptr;
    };
    // Roll keys depend on the player count; the others are written whatever it is.
    if (Player* p = player(0)) {
        if (gs.player_count >= 1)
            p->roll_key = key_letter('Q');
        p->jump_key = key_letter('W');
        p->rigid_key = key_letter('E');
    }
    if (Player* p = player(1)) {
        if (gs.player_count >= 2)
            p->roll_key = key_letter('T');
        p->jump_key = key_letter('Y');
        p->rigid_key = key_letter('U');
    }
    if (Player* p = player(3); p && gs.player_count >= 4)
        p->roll_key = key_letter('W');
    if (Player* p = player(4); p && gs.player_count >= 5)
        p->roll_key = key_letter('E');
}
