// One play step with 2, 6, 10 and 18 players (the mice plus the two spare records), both
// ropes of each hooked on the ground, the flock on, on a generated level of 500 segments.
// The world starts again every two seconds of play, so that every step measured has all
// its ropes out.
#include "bench/step_worlds.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>

namespace {

double process_cpu_seconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

GameState busy_world(SilentHost& host, int players) {
    random_reset();
    GameState gs;
    init_game_state(gs, players - 2);
    gs.player_count = players;
    rolling_level(gs.level);
    for (Sheep& s : gs.flock) {
        s.x = s.prev_x = float(random_next()) * 0.00030518509f;
        s.y = s.prev_y = float(random_next()) * 0.00030518509f;
        s.radius = 1;
    }
    gs.flock_enabled = true;
    for (int i = 0; i < players; ++i) {
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
    game_step(gs, host, 16); // fires every rope at the ground
    return gs;
}

void BM_GameStep(benchmark::State& state) {
    const int players = int(state.range(0));
    SilentHost host;
    const GameState start = busy_world(host, players);
    GameState gs = start;
    int steps = 0;
    int fewest_attached = 2 * players;
    const double cpu_before = process_cpu_seconds();
    for (auto _ : state) {
        if (++steps % 120 == 0) {
            int attached = 0;
            for (int i = 0; i < players; ++i)
                attached += gs.players[size_t(i)].ropes[0].attached +
                            gs.players[size_t(i)].ropes[1].attached;
            fewest_attached = std::min(fewest_attached, attached);
            gs = start;
        }
        game_step(gs, host, 16);
        benchmark::DoNotOptimize(gs.players[0].x);
    }
    state.counters["process_cpu_us"] = benchmark::Counter(
        (process_cpu_seconds() - cpu_before) * 1e6 / double(state.iterations()));
    state.counters["ropes_attached"] = fewest_attached; // the fewest at the end of a run
    state.counters["playing"] = gs.playing;
}
BENCHMARK(BM_GameStep)->Arg(2)->Arg(6)->Arg(10)->Arg(18)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
