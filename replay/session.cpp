#include "replay/session.h"

#include "replay/options.h"

#include <algorithm>

namespace {

// A replayed window catches up with the live clock by at most this many steps per frame,
// and forgets a larger debt (a paused or minimised window) instead of racing. A recorded
// stall (a message box, a minimised window) is waited out for that long at most.
constexpr int CATCH_UP_STEPS = 4;
constexpr uint32_t MAX_BEHIND_MS = 250;

} // namespace

bool ProgramSession::record_to(const std::string& path, std::string& error) {
    auto recorder = std::make_unique<Recorder>(*host_.files);
    if (!recorder->open(path, error))
        return false;
    recorder_ = std::move(recorder);
    record_path_ = path;
    host_.files = recorder_.get();
    return true;
}

void ProgramSession::play_back(Replay replay, std::ostream& out) {
    replay_ = std::make_unique<Replay>(std::move(replay));
    playback_ = std::make_unique<Playback>(*replay_, out);
    host_.files = playback_.get();
}

void ProgramSession::allocate(int live_mouse_count) {
    if (playback_) {
        playback_->begin(game_);
        return;
    }
    game_.allocate(live_mouse_count);
    if (recorder_)
        recorder_->begin(program_, live_mouse_count, game_);
}

void ProgramSession::start() {
    if (playback_)
        return;
    if (recorder_)
        recorder_->start();
    game_.start(host_);
}

void ProgramSession::key(uint32_t code, bool down) {
    if (playback_)
        return;
    if (recorder_)
        recorder_->key(code, down);
    game_.key(code, down);
}

void ProgramSession::mouse(int index, int32_t dx, int32_t dy, int32_t wheel, bool left, bool right,
                           bool middle) {
    if (playback_)
        return;
    if (recorder_)
        recorder_->mouse(index, dx, dy, wheel, left, right, middle);
    game_.mouse(index, dx, dy, wheel, left, right, middle);
}

void ProgramSession::update(uint32_t elapsed_ms) {
    if (!playback_) {
        game_.step(host_, elapsed_ms);
        if (recorder_)
            recorder_->end_step(elapsed_ms, game_);
        return;
    }
    // Recorded steps run when the live clock has caught up with their elapsed times.
    behind_ms_ = std::min(behind_ms_ + elapsed_ms, MAX_BEHIND_MS);
    for (int n = 0; n < CATCH_UP_STEPS && !playback_->done(); ++n) {
        const uint32_t due = std::min(playback_->next_elapsed_ms(), MAX_BEHIND_MS);
        if (behind_ms_ < due)
            break;
        behind_ms_ -= due;
        playback_->run_step(game_, host_);
    }
    if (playback_->done() && !quit_asked_) {
        quit_asked_ = true;
        host_.request_quit();
    }
}

int ProgramSession::finish(std::ostream& out, std::ostream& err) {
    if (playback_)
        return playback_->finish(-1);
    if (!recorder_)
        return 0;
    std::string error;
    if (!recorder_->close(error)) {
        err << "the recording failed: " << error << "\n";
        return EXIT_REPLAY_FILE;
    }
    if (recorder_->began())
        out << "recorded " << recorder_->steps() << " steps into " << record_path_ << "\n";
    else
        out << "nothing was recorded\n";
    return 0;
}
