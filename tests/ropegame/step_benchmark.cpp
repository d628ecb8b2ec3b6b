// One ropegame play step with 4 players, both ropes of each hooked, the flock on, on a
// generated level of 500 segments whose points the balls push about.
#include "platform/random.h"
#include "ropegame/sim.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

struct SilentHost : GameHost {
    void play_sample(Sample, int) override {}
    void show_message(const std::string&, const std::string&, MessageIcon) override {}
    void request_quit() override {}
    void set_cursor_position(int, int) override {}
};

void BM_RopegameStep(benchmark::State& state) {
    SilentHost host;
    random_reset();
    ropegame::World w;
    ropegame::init_world(w, 4);
    for (int k = 0; k <= 500; ++k) {
        GroundPoint g;
        g.x = -1000.0f + 4.0f * float(k);
        g.y = -6.0f + 3.0f * std::sin(g.x * 0.05f);
        g.type = k % 7 == 3 ? SURFACE_ICE : SURFACE_GROUND;
        w.level.ground.push_back(g);
        w.level.base.push_back({g.x, g.y - 15});
    }
    Blob far;
    far.x = far.y = 900;
    w.level.blobs = {far};
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
