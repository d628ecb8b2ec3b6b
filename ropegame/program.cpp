#include "ropegame/program.h"

#include "draw/scene_setup.h"
#include "platform/cursor.h"
#include "replay/game_main.h"
#include "ropegame/sim.h"

namespace ropegame {

void Host::play_sample(Sample, int channel) {
    FSOUND_PlaySound(channel, rope_sample);
}

bool program_init(Program& program, GlWindow& window) {
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
    program.session.start();
    create_scene_objects(program.gfx);
    return true;
}

void program_update(Program& program, uint32_t elapsed_ms) {
    program.session.update(elapsed_ms);
}

void program_draw(Program& program) {
    program_draw(program.world, program.gfx, program.render);
}

void program_deinit(Program& program) {
    delete_scene_objects(program.gfx);
    // The texture names and glyph lists go with the context.
    program.gfx.texture_ids.fill(0);
    program.host.window = nullptr;
}

ProgramHooks make_hooks(Program& program) {
    ProgramHooks hooks;
    Program* p = &program;
    hooks.program_init = [p](GlWindow& window, KeyTable&) { return program_init(*p, window); };
    hooks.program_update = [p](uint32_t elapsed_ms) { program_update(*p, elapsed_ms); };
    hooks.program_draw = [p] { program_draw(*p); };
    hooks.program_deinit = [p] { program_deinit(*p); };
    // The frame's key table records the keys too; the world takes them from here.
    route_input_through(hooks, program.session);

    set_shared_hooks(hooks, program.host);
    hooks.paused = &program.paused;
    return hooks;
}

int ropegame_main(int argc, const char* const* argv) {
    // The world, the renderer and the assets live for the whole run; the frame rebuilds
    // only the window around them.
    static Program program;
    return run_game_command(argc, argv, ReplayProgram::ropegame, program.session, program.seam, [] {
        ProgramHooks hooks = make_hooks(program);
        return run_program(settings_for(Deliverable::ropegame), hooks);
    });
}

} // namespace ropegame
