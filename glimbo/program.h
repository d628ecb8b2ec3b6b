// The glimbo program: the process-wide records (world, renderer, assets, sound) and the four
// hooks that the application frame calls.
#pragma once

#include "assets/font.h"
#include "assets/texture.h"
#include "draw/render_types.h"
#include "frame/frame.h"
#include "gamehost/program_host.h"
#include "glimbo/game_state.h"
#include "glimbo/replay_seam.h"
#include "replay/session.h"

#include <array>

struct GlimboProgram {
    GameState game;
    ProgramHost host;
    RenderResources gfx;
    RenderState render;
    std::array<Texture, TEXTURE_SLOT_COUNT> textures{};
    BitmapFont font;
    GlWindow* window = nullptr; // the frame's window record, kept by program_init
    // Every input reaches the world through the session: live, recorded or replayed.
    GlimboSeam seam{game};
    ProgramSession session{seam, host, ReplayProgram::glimbo};
};

// Sets up the GL state, font, textures, sound, level, quadric, blob list, default controls
// and menu for the window just created. Always true.
bool program_init(GlimboProgram& program, GlWindow& window);
// One fixed step of the world (in a replay, the recorded steps that are due).
void program_update(GlimboProgram& program, uint32_t elapsed_ms);
// Draws the frame (single-buffered, ends with a flush).
void program_draw(GlimboProgram& program);
// Releases the quadric, closes the sound library and frees the level's ground line.
void program_deinit(GlimboProgram& program);

// The frame's hooks for `program`, the raw-mouse calls included.
ProgramHooks make_glimbo_hooks(GlimboProgram& program);

// The program from its command line: plays, records or replays (see --help).
int glimbo_main(int argc, const char* const* argv);
