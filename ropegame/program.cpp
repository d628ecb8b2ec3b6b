#include "ropegame/program.h"

#include "draw/scene_setup.h"
#include "platform/cursor.h"
#include "ropegame/sim.h"

namespace ropegame {

void Host::play_sample(Sample, int channel) {
    FSOUND_PlaySound(channel, rope_sample);
}

bool program_init(Program& program, GlWindow& window, KeyTable& keys) {
    program.keys = &keys;
    program.host.window = window.hwnd;
    World& w = program.world;

    FSOUND_Init(44100, 32, 0);
    set_gl_state(w);

    build_font(program.font);
    const BitmapFont* font = &program.font;
    program.gfx.print = [font](const char* text) { gl_print(*font, "%s", text); };
    platform_show_cursor(false);

    for (int slot = 0; slot < TEXTURE_COUNT; ++slot) {
        Texture& texture = program.textures[size_t(slot)];
        // A missing or broken image leaves the slot without a texture (drawn plain).
        if (!load_tga_texture(texture, TEXTURE_FILES[size_t(slot)]))
            texture.texture_id = 0;
        program.gfx.texture_ids[size_t(slot)] = texture.texture_id;
    }

    program.host.rope_sample = FSOUND_Sample_Load(0, "vornrope.wav", 0, 0, 0);
    fill_level_names(w);
    reset_level(w, program.host);
    create_scene_objects(program.gfx);
    return true;
}

void program_update(Program& program, uint32_t elapsed_ms) {
    World& w = program.world;
    if (program.keys) {
        for (size_t code = 0; code < w.key_down.size(); ++code)
            w.key_down[code] = (*program.keys)[uint32_t(code)] != 0 ? 1 : 0;
    }
    game_step(w, program.host, elapsed_ms);
}

void program_draw(Program& program) {
    program_draw(program.world, program.gfx, program.render);
}

void program_deinit(Program& program) {
    delete_scene_objects(program.gfx);
    // The texture names and glyph lists go with the context.
    program.gfx.texture_ids.fill(0);
    program.host.window = nullptr;
    program.keys = nullptr;
}

ProgramHooks make_hooks(Program& program) {
    ProgramHooks hooks;
    Program* p = &program;
    hooks.program_init = [p](GlWindow& window, KeyTable& keys) {
        return program_init(*p, window, keys);
    };
    hooks.program_update = [p](uint32_t elapsed_ms) { program_update(*p, elapsed_ms); };
    hooks.program_draw = [p] { program_draw(*p); };
    hooks.program_deinit = [p] { program_deinit(*p); };
    hooks.player_mouse_input = [p](int mouse, int x, int y, int wheel, bool left, bool right,
                                   bool middle) {
        player_mouse_input(p->world, mouse, x, y, wheel, left, right, middle);
    };
    hooks.allocate_players = [p](int count) { init_world(p->world, count); };

    set_shared_hooks(hooks, program.host);
    hooks.paused = &program.paused;
    return hooks;
}

} // namespace ropegame
