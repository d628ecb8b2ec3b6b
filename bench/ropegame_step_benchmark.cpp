// One ropegame play step with 4 players, both ropes of each hooked, the flock on, on a
// generated level of 500 segments whose points the balls push about.
#include "ropegame/sim.h"
#include "bench/step_worlds.h"

#include <benchmark/benchmark.h>

namespace {

void BM_RopegameStep(benchmark::State& state) {
    SilentHost host;
    random_reset();
    ropegame::World w;
    ropegame::init_world(w, 4);
    rolling_level(w.level);
    w.flock_enabled = true;
    for (int i = 0; i < 4; ++i) {
        ropegame::Player& p = w.players[size_t(i)];
        p.x = p.prev_x = 3.0f * float(i);
        p.y = p.prev_y = 8;
        p.radius = 1;
        p.button_ready = {1, 1, 1};
        p.button_down = {1, 1, 0};
        w.pointer_inputs[size_t(i)].offset_x = float(i % 2 ? 60 : -60);
        w.pointer_inputs[size_t(i)].offset_y = -120;
    }
    w.playing = true;
    ropegame::update_pointers(w, host);
    for (auto _ : state) {
        ropegame::game_step(w, host, 16);
        benchmark::DoNotOptimize(w.players[0].x);
    }
    int attached = 0;
    for (int i = 0; i < 4; ++i)
        attached += w.players[size_t(i)].ropes[0].attached + w.players[size_t(i)].ropes[1].attached;
    state.counters["ropes_attached"] = attached;
}
BENCHMARK(BM_RopegameStep)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
