// One frame of the renderer on Mesa's software rasteriser at 640 x 480, with the generated
// content's textures and font, on the longest generated level: glimbo's menu, two players
// with both ropes out and the flock on, all 200 sheep packed on screen (the worst case),
// 18 players (16 mice) with both ropes out, and ropegame's play scene with two players.
// Each scene is drawn twice in the same run: vertex by vertex as the renderer used to
// (path "old"), and from its kept geometry (path "new"). The figure to read is
// process_cpu_ms: the CPU time of every thread of the process (the rasteriser's included)
// per frame, which a busy machine does not inflate as it does the wall time; main_cpu_ms is
// the part of it spent on the calling thread (the game, GL's front end, vertex processing
// and triangle set-up), the rest is the rasteriser's threads filling pixels. Run by hand in
// an optimised build, from anywhere: it works in the content.
#include "gamehost/program_host.h"
#include "glimbo/game.h"
#include "glimbo/program.h"
#include "glimbo/render_scene.h"
#include "ropegame/render.h"
#include "ropegame/sim.h"
#include "tests/support/gl_test_context.h"

#include <benchmark/benchmark.h>

#include <ctime>
#include <filesystem>
#include <string>

namespace {

enum Scene : int { MENU, TWO_PLAYERS, PACKED_FLOCK, CROWD_18, ROPEGAME };
const char* const SCENE_NAMES[] = {"menu", "two players", "packed flock", "18 players",
                                   "ropegame"};

double cpu_seconds(clockid_t clock) {
    timespec t{};
    clock_gettime(clock, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

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

// Both ropes of a player at (x, y) hooked on the ground point nearest to `reach` units to
// either side, laid out as straight chains.
template <class P> void hook_ropes(P& p, const LevelData& level, float reach) {
    for (int r = 0; r < 2; ++r) {
        Rope& rope = p.ropes[size_t(r)];
        const float want = p.x + (r == 0 ? -reach : reach);
        const GroundPoint* best = &level.ground[0];
        for (const GroundPoint& g : level.ground)
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

template <class World> int ropes_out(const World& w) {
    int n = 0;
    for (int i = 0; i < w.player_count; ++i)
        n += w.players[size_t(i)].ropes[0].attached + w.players[size_t(i)].ropes[1].attached;
    return n;
}

// The world after two seconds of play from the level's start with every rope held, the
// flock where the simulation took it; then the scene's own changes.
void set_up_glimbo(GlimboProgram& program, Scene scene) {
    GameState& gs = program.game;
    const int players = scene == CROWD_18 ? 18 : 2;
    gs.player_count = players;
    gs.flock_enabled = true;
    gs.playing = true;
    for (int i = 0; i < players; ++i) {
        Player& p = gs.players[size_t(i)];
        p.x = p.prev_x = gs.players[0].x + 2.5f * float(i % 6);
        p.y = p.prev_y = gs.players[0].y + 3.0f * float(i / 6);
        p.pointer_dx = 8;
        p.pointer_dy = 4;
        p.radius = 1;
        hook_ropes(p, gs.level, 12);
        p.button_down = {1, 1, 0};
        p.button_ready = {0, 0, 1};
    }
    for (int step = 0; step < 120; ++step)
        game_step(gs, program.host, 16);
    if (scene == PACKED_FLOCK) {
        gs.camera_x = gs.players[0].x;
        gs.camera_y = gs.players[0].y;
        for (int k = 0; k < FLOCK_SIZE; ++k) {
            Sheep& s = gs.flock[size_t(k)];
            s.x = s.prev_x = gs.players[0].x - 20.0f + float(k % 20) * 2;
            s.y = s.prev_y = gs.players[0].y + 2.0f + float(k / 20) * 1.5f;
        }
    }
    if (scene == MENU)
        gs.playing = false;
}

// ropegame's world on the same level, with glimbo's players, ropes and flock.
void set_up_ropegame(ropegame::World& w, const GameState& gs) {
    ropegame::init_world(w, 2);
    w.level = gs.level;
    w.player_count = 2;
    w.playing = true;
    w.flock_enabled = true;
    w.flock = gs.flock;
    w.camera_x = gs.camera_x;
    w.camera_y = gs.camera_y;
    w.camera_distance = 35;
    for (int i = 0; i < 2; ++i) {
        ropegame::Player& p = w.players[size_t(i)];
        const Player& g = gs.players[size_t(i)];
        p.x = p.prev_x = g.x;
        p.y = p.prev_y = g.y;
        p.radius = g.radius;
        p.ropes = g.ropes;
        w.pointer_inputs[size_t(i)].pointer_x = g.pointer_x;
        w.pointer_inputs[size_t(i)].pointer_y = g.pointer_y;
    }
}

void BM_Frame(benchmark::State& state) {
    static GlTestContext gl;
    static bool opened = gl.open(640, 480);
    if (!opened) {
        state.SkipWithError("no GL context");
        return;
    }
    const Scene scene = Scene(state.range(0));
    const bool old_path = state.range(1) == 0;
    state.SetLabel(std::string(SCENE_NAMES[scene]) + (old_path ? ", old" : ", new"));
    std::filesystem::current_path(GLIMBO_CONTENT_DIR);

    static GlimboProgram program;
    static GlWindow window;
    init_game_state(program.game, 16); // room for 18 players
    program.game.player_count = 2;
    program.game.level_index = longest_level();
    apply_gl_projection(640, 480);
    program_init(program, window);
    stop_game_sound(program.host); // the music's thread is no part of a frame's cost
    set_up_glimbo(program, scene);
    program.gfx.immediate_mode = old_path;

    static ropegame::World rope_world;
    RenderState rope_render;
    if (scene == ROPEGAME) {
        set_up_ropegame(rope_world, program.game);
        ropegame::set_gl_state(rope_world);
    }

    const double cpu_before = cpu_seconds(CLOCK_PROCESS_CPUTIME_ID);
    const double main_before = cpu_seconds(CLOCK_THREAD_CPUTIME_ID);
    for (auto _ : state) {
        if (scene == ROPEGAME)
            ropegame::program_draw(rope_world, program.gfx, rope_render);
        else
            program_draw(program);
        glFinish();
    }
    const double frames = double(state.iterations());
    state.counters["process_cpu_ms"] =
        (cpu_seconds(CLOCK_PROCESS_CPUTIME_ID) - cpu_before) * 1000 / frames;
    state.counters["main_cpu_ms"] =
        (cpu_seconds(CLOCK_THREAD_CPUTIME_ID) - main_before) * 1000 / frames;
    state.counters["segments"] = double(program.game.level.ground.size() - 1);
    state.counters["ropes_out"] =
        scene == ROPEGAME ? ropes_out(rope_world) : ropes_out(program.game);
    program_deinit(program);
}
// Old and new path of a scene one after the other, so that both see the same load.
void scenes_and_paths(benchmark::internal::Benchmark* b) {
    for (int scene = MENU; scene <= ROPEGAME; ++scene)
        for (int path = 0; path < 2; ++path)
            b->Args({scene, path});
}
BENCHMARK(BM_Frame)
    ->Apply(scenes_and_paths)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2.0);

} // namespace

BENCHMARK_MAIN();
