// The ropegame program: the process-wide records (world, renderer, assets, the one sound)
// and the hooks that the application frame calls.
#pragma once

#include "assets/font.h"
#include "assets/sound.h"
#include "assets/texture.h"
#include "draw/render_types.h"
#include "frame/frame.h"
#include "gamehost/program_host.h"
#include "replay/session.h"
#include "ropegame/render.h"
#include "ropegame/replay_seam.h"
#include "ropegame/world.h"

#include <array>

namespace ropegame {

// glimbo's link to sound, message boxes, cursor and quit, with one sample for every sound.
struct Host : ProgramHost {
    SoundSample rope_sample;
    void play_sample(Sample sample, int channel) override;
};

struct Program {
    World world;
    Host host;
    RenderResources gfx;
    RenderState render;
    std::array<Texture, TEXTURE_COUNT> textures{};
    BitmapFont font;
    uint8_t paused = 0; // toggled by P in the window procedure
    // Every input reaches the world through the session: live, recorded or replayed.
    Seam seam{world};
    ProgramSession session{seam, host, ReplayProgram::ropegame};
};

// Sound, GL state, font, textures, the rope sample, the level names, the first level and
// the scene objects for the window just created. Always true.
bool program_init(Program& program, GlWindow& window);
// One step of the world (in a replay, the recorded steps that are due).
void program_update(Program& program, uint32_t elapsed_ms);
void program_draw(Program& program);
// Deletes the sphere quadric; nothing else.
void program_deinit(Program& program);

// The frame's hooks for `program`, the raw-mouse calls and the pause flag included.
ProgramHooks make_hooks(Program& program);

// The program from its command line: plays, records or replays (see --help).
int ropegame_main(int argc, const char* const* argv);

} // namespace ropegame
