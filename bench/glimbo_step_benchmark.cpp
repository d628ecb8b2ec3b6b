// One play step with 4 players, both ropes of each hooked as chains, the flock on, on a
// generated level of 500 segments.
#include "bench/step_worlds.h"

#include <benchmark/benchmark.h>

namespace {

GameState busy_world(SilentHost& host) {
    random_reset();
    GameState gs;
    init_game_state(gs, 4);
    rolling_level(gs.level);
    for (Sheep& s : gs.flock) {
        s.x = s.prev_x = float(random_next()) * 0.00030518509f;
        s.y = s.prev_y = float(random_next()) * 0.00030518509f;
        s.radius = 1;
    }
    gs.flock_enabled = true;
    for (int i = 0; i < 4; ++i) {
        Player& p = gs.players[size_t(i)];
        p.x = p.prev_x = 3.0f * float(i);
        p.y = p.prev_y = 8;
        p.radius = 1;
        p.button_ready = {1, 1, 1};
        p.button_down = {1, 1, 0};
        p.pointer_dx = float(i % 2 ? 6 : -6);
        p.pointer_dy = -14;
        p.pointer_x = p.x + p.pointer_dx;
        p.pointer_y = p.y + p.pointer_dy;
    }
    gs.playing = true;
    game_step(gs, host, 16); // fires all eight ropes at the ground
    return gs;
}

void BM_GameStep(benchmark::State& state) {
    SilentHost host;
    GameState gs = busy_world(host);
    for (auto _ : state) {
        game_step(gs, host, 16);
        benchmark::DoNotOptimize(gs.players[0].x);
    }
    int attached = 0;
    for (int i = 0; i < 4; ++i)
        attached +=
            gs.players[size_t(i)].ropes[0].attached + gs.players[size_t(i)].ropes[1].attached;
    state.counters["ropes_attached"] = attached;
    state.counters["playing"] = gs.playing;
}
BENCHMARK(BM_GameStep)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
