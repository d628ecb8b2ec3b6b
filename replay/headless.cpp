#include "replay/headless.h"

#include "replay/playback.h"
#include "replay/quiet_host.h"

#include <chrono>

int run_headless_replay(const Replay& replay, ReplayGame& game, std::ostream& out) {
    QuietHost host;
    Playback playback(replay, out);
    host.files = &playback;
    playback.begin(game);
    const auto started = std::chrono::steady_clock::now();
    while (!playback.done())
        playback.run_step(game, host);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - started;
    return playback.finish(took.count());
}
