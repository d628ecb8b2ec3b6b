#include "glimbo/program.h"

#include "glimbo/game.h"
#include "glimbo/render_scene.h"
#include "platform/cursor.h"
#include "replay/game_main.h"

#include <GL/gl.h>

bool program_init(GlimboProgram& program, GlWindow& window) {
    program.window = &window;
    program.host.window = window.hwnd;
    GameState& gs = program.game;

    set_scene_gl_state(gs);

    build_font(program.font);
    const BitmapFont* font = &program.font;
    program.gfx.print = [font](const char* text) { gl_print(*font, "%s", text); };

    platform_show_cursor(false);

    for (int slot = 0; slot < TEXTURE_SLOT_COUNT; ++slot) {
        Texture& texture = program.textures[size_t(slot)];
        // A missing or broken image leaves the slot without a texture (drawn plain).
        if (!load_tga_texture(texture, TEXTURE_FILES[size_t(slot)]))
            texture.texture_id = 0;
        program.gfx.texture_ids[size_t(slot)] = texture.texture_id;
    }

    glShadeModel(GL_SMOOTH);

    start_game_sound(program.host);

    program.session.start();

    create_scene_objects(program.gfx);
    return true;
}

void program_update(GlimboProgram& program, uint32_t elapsed_ms) {
    program.session.update(elapsed_ms);
}

void program_draw(GlimboProgram& program) {
    program_draw(program.game, program.gfx, program.render);
}

void program_deinit(GlimboProgram& program) {
    delete_scene_objects(program.gfx);
    stop_game_sound(program.host);
    // A replay owns the world: only its recorded window builds may touch the level.
    if (!program.session.replaying()) {
        program.game.level.ground.clear();
        program.game.level.ground.shrink_to_fit();
    }
    // The texture names and glyph lists go with the context.
    program.gfx.texture_ids.fill(0);
    program.host.window = nullptr;
}

ProgramHooks make_glimbo_hooks(GlimboProgram& program) {
    ProgramHooks hooks;
    GlimboProgram* p = &program;
    hooks.program_init = [p](GlWindow& window, KeyTable&) { return program_init(*p, window); };
    hooks.program_update = [p](uint32_t elapsed_ms) { program_update(*p, elapsed_ms); };
    hooks.program_draw = [p] { program_draw(*p); };
    hooks.program_deinit = [p] { program_deinit(*p); };
    route_input_through(hooks, program.session);

    set_shared_hooks(hooks, program.host);
    return hooks;
}

int glimbo_main(int argc, const char* const* argv) {
    // The world, the renderer and the assets live for the whole run; the frame rebuilds
    // only the window around them.
    static GlimboProgram program;
    return run_game_command(argc, argv, ReplayProgram::glimbo, program.session, program.seam, [] {
        ProgramHooks hooks = make_glimbo_hooks(program);
        return run_program(settings_for(Deliverable::glimbo), hooks);
    });
}
