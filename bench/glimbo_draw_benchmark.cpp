// One frame of the renderer on Mesa's software rasteriser at 640 x 480: the longest
// generated level, two players with both ropes out, the flock on, real textures and font.
// Run by hand in an optimised build, from anywhere: it works in the generated content.
#include "glimbo/game.h"
#include "glimbo/program.h"
#include "glimbo/render_scene.h"
#include "bench/gl_test_context.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <sys/resource.h>
#include <unistd.h>

namespace {

// Index of the level file with the most ground points.
int longest_level() {
    int best = 0;
    size_t most = 0;
    for (int i = 0; i < 100; ++i) {
        LevelData level;
        const std::string name = "levels/level" + std::to_string(i + 1) + ".svg";
        if (read_level_file(name, level).status != LevelReadStatus::ok)
            break;
        if (level.ground.size() > most) {
            most = level.ground.size();
            best = i;
        }
    }
    return best;
}

// Both ropes of player i hooked on the ground point nearest to `reach` units to either side,
// laid out as straight chains.
void hook_ropes(GameState& gs, int i, float reach) {
    Player& p = gs.players[size_t(i)];
    for (int r = 0; r < 2; ++r) {
        Rope& rope = p.ropes[size_t(r)];
        const float want = p.x + (r == 0 ? -reach : reach);
        const GroundPoint* best = &gs.level.ground[0];
        for (const GroundPoint& g : gs.level.ground)
            if (std::abs(g.x - want) < std::abs(best->x - want))
                best = &g;
        rope.attached = 1;
        rope.anchor = {AnchorKind::own, 0};
        rope.anchor_x = best->x;
        rope.anchor_y = best->y;
        rope.node_weight = 2;
        for (int k = 0; k < ROPE_NODE_COUNT; ++k) {
            const float f = float(k + 1) / 12;
            rope.nodes[size_t(k)].x = rope.anchor_x + (p.x - rope.anchor_x) * f;
            rope.nodes[size_t(k)].y = rope.anchor_y + (p.y - rope.anchor_y) * f + 0.3f;
        }
    }
}

double process_cpu_seconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// Argument 0: the world after two seconds of play from the level's start (the flock where
// the simulation took it). Argument 1: all 200 sheep packed on screen, the worst case.
void BM_ProgramDraw(benchmark::State& state) {
    static GlTestContext gl;
    static bool opened = gl.open(640, 480);
    if (!opened) {
        state.SkipWithError("no GL context");
        return;
    }
    state.SetLabel(reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    std::filesystem::current_path(GLIMBO_CONTENT_DIR);

    static GlimboProgram program;
    static GlWindow window;
    init_game_state(program.game, 2);
    program.game.level_index = longest_level();
    apply_gl_projection(640, 480);
    program_init(program, window);
    GameState& gs = program.game;
    gs.flock_enabled = true;
    gs.playing = true;
    for (int i = 0; i < 2; ++i) {
        Player& p = gs.players[size_t(i)];
        p.pointer_dx = 8;
        p.pointer_dy = 4;
        hook_ropes(gs, i, 12);
        p.button_down = {1, 1, 0}; // both ropes held
        p.button_ready = {0, 0, 1};
    }
    for (int step = 0; step < 120; ++step)
        game_step(gs, program.host, 16);
    if (state.range(0) == 1) {
        gs.camera_x = gs.players[0].x;
        gs.camera_y = gs.players[0].y;
        for (int k = 0; k < FLOCK_SIZE; ++k) {
            Sheep& s = gs.flock[size_t(k)];
            s.x = s.prev_x = gs.players[0].x - 20.0f + float(k % 20) * 2;
            s.y = s.prev_y = gs.players[0].y + 2.0f + float(k / 20) * 1.5f;
        }
    }
    int ropes_out = 0;
    for (int i = 0; i < 2; ++i)
        ropes_out +=
            gs.players[size_t(i)].ropes[0].attached + gs.players[size_t(i)].ropes[1].attached;

    const double cpu_before = process_cpu_seconds();
    for (auto _ : state) {
        program_draw(program);
        glFinish();
    }
    // CPU time of every thread (the rasteriser's included) per frame: on a busy machine the
    // wall time also holds the time spent waiting for a core.
    state.counters["process_cpu_ms"] = benchmark::Counter((process_cpu_seconds() - cpu_before) *
                                                          1000 / double(state.iterations()));
    state.counters["segments"] = double(gs.level.ground.size() - 1);
    state.counters["ropes_out"] = ropes_out;
    state.counters["playing"] = gs.playing;
    program_deinit(program);
}
BENCHMARK(BM_ProgramDraw)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(3.0);

} // namespace

BENCHMARK_MAIN();
