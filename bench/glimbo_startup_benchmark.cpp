// Time from starting the glimbo program to its first drawn frame, under an Xvfb of the
// benchmark's own, in a copy-free run inside the generated content.
#include "tests/support/xvfb_server.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

namespace {

long long now_us() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (long long)t.tv_sec * 1000000 + t.tv_nsec / 1000;
}

// Runs the probe once; returns the microseconds to its first frame, or -1.
long long one_start(const std::string& display) {
    int out[2];
    if (pipe(out) != 0)
        return -1;
    const long long started = now_us();
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(out[1], 1);
        close(out[0]);
        close(out[1]);
        if (chdir(GLIMBO_CONTENT_DIR) != 0)
            _exit(126);
        setenv("DISPLAY", display.c_str(), 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        execl(GLIMBO_STARTUP_PROBE, GLIMBO_STARTUP_PROBE, static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    std::string text;
    char buffer[256];
    ssize_t got = 0;
    while ((got = read(out[0], buffer, sizeof buffer)) > 0)
        text.append(buffer, size_t(got));
    close(out[0]);
    waitpid(pid, nullptr, 0);
    long long at = 0;
    if (std::sscanf(text.c_str(), "first frame at %lld", &at) != 1)
        return -1;
    return at - started;
}

XvfbServer xvfb;
bool xvfb_started = false;

void BM_StartToFirstFrame(benchmark::State& state) {
    if (!xvfb_started)
        xvfb_started = xvfb.start();
    if (!xvfb_started) {
        state.SkipWithError("no Xvfb");
        return;
    }
    for (auto _ : state) {
        const long long us = one_start(xvfb.display());
        if (us < 0) {
            state.SkipWithError("the probe drew no frame");
            break;
        }
        state.SetIterationTime(double(us) / 1e6);
    }
}
BENCHMARK(BM_StartToFirstFrame)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    xvfb.stop();
    return 0;
}
