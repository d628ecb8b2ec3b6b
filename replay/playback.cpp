#include "replay/playback.h"

#include "platform/random.h"

#include <cstdio>

namespace {

std::string hex(uint64_t v) {
    char text[24];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(v));
    return text;
}

void apply(const ReplayInput& in, ReplayGame& game, GameHost& host) {
    switch (in.kind) {
    case InputKind::key:
        game.key(in.code, in.down);
        break;
    case InputKind::mouse:
        game.mouse(in.mouse, in.dx, in.dy, in.wheel, (in.buttons & BUTTON_LEFT) != 0,
                   (in.buttons & BUTTON_RIGHT) != 0, (in.buttons & BUTTON_MIDDLE) != 0);
        break;
    case InputKind::start:
        game.start(host);
        break;
    }
}

} // namespace

void Playback::begin(ReplayGame& game) {
    game.allocate(replay_.header.mouse_count);
    random_set_state(RandomState{replay_.header.random_state});
    // A run that ended before its first step still has the digest of its start.
    if (replay_.steps.empty() && replay_.finished)
        compare("end after step 0", replay_.end_digest, state_digest(game));
}

bool Playback::done() const {
    return diverged_ || next_ >= replay_.steps.size();
}

uint32_t Playback::next_elapsed_ms() const {
    return done() ? 0 : replay_.steps[next_].elapsed_ms;
}

void Playback::run_step(ReplayGame& game, GameHost& host) {
    if (done())
        return;
    const ReplayStep& step = replay_.steps[next_];
    running_ = next_ + 1;
    next_file_ = 0;
    for (const ReplayInput& in : step.inputs)
        apply(in, game, host);
    game.step(host, step.elapsed_ms);
    ++next_;
    if (diverged_)
        return;
    if (next_file_ < step.files.size()) {
        diverge("the recording read \"" + step.files[next_file_].path +
                "\", which the replayed game did not");
        return;
    }
    if (step.has_digest)
        compare("step " + std::to_string(next_), step.digest, state_digest(game));
    if (next_ == replay_.steps.size() && replay_.finished)
        compare("end after step " + std::to_string(next_), replay_.end_digest, state_digest(game));
}

void Playback::compare(const std::string& where, uint64_t recorded, uint64_t replayed) {
    if (recorded == replayed) {
        ++matches_;
        last_match_ = running_;
        out_ << where << ": digest matches\n";
        return;
    }
    if (!differs_)
        first_differs_ = running_;
    differs_ = true;
    out_ << where << ": digest differs (recorded " << hex(recorded) << ", replayed "
         << hex(replayed) << ")\n";
}

void Playback::diverge(const std::string& what) {
    out_ << "step " << running_ << ": " << what << "\n";
    if (!differs_)
        first_differs_ = running_;
    differs_ = true;
    diverged_ = true;
}

int Playback::finish(double seconds) {
    const size_t total = replay_.steps.size();
    if (next_ < total && !diverged_)
        out_ << "stopped at step " << next_ << " of " << total << "\n";
    if (!differs_) {
        if (matches_ == 0)
            out_ << "no recorded digest was reached";
        else
            out_ << "all " << matches_ << " digests match";
    } else {
        out_ << "first differs at step " << first_differs_;
        if (last_match_ > 0)
            out_ << " (last match at step " << last_match_ << ")";
        else
            out_ << " (no digest matched before it)";
    }
    if (seconds >= 0) {
        char rate[64];
        std::snprintf(rate, sizeof rate, "%.0f", seconds > 0 ? double(next_) / seconds : 0.0);
        out_ << "; " << next_ << " steps in " << seconds << " s, " << rate << " steps per second";
    }
    out_ << "\n";
    return differs_ ? 1 : 0;
}

FileReadStatus Playback::read(const std::string& path, std::vector<uint8_t>& bytes,
                              std::string& error) {
    bytes.clear();
    error = path + ": not in the replay";
    // Reads happen inside a running step; anything else (or after a divergence) finds
    // nothing recorded.
    if (diverged_ || next_ >= replay_.steps.size())
        return FileReadStatus::cannot_open;
    const ReplayStep& step = replay_.steps[next_];
    if (next_file_ >= step.files.size()) {
        diverge("the replayed game read \"" + path + "\", which the recording did not");
        return FileReadStatus::cannot_open;
    }
    const ReplayFileRead& f = step.files[next_file_++];
    if (f.path != path) {
        diverge("the replayed game read \"" + path + "\" where the recording read \"" + f.path +
                "\"");
        return FileReadStatus::cannot_open;
    }
    switch (f.status) {
    case RecordedRead::read:
        bytes = f.bytes;
        error.clear();
        return FileReadStatus::ok;
    case RecordedRead::cannot_open:
        error = path + ": could not be opened when recorded";
        return FileReadStatus::cannot_open;
    case RecordedRead::read_error:
        error = path + ": read error when recorded";
        return FileReadStatus::read_error;
    }
    return FileReadStatus::cannot_open;
}

bool Playback::write(const std::string&, const std::vector<uint8_t>&, std::string&) {
    // A replay leaves the disk alone; what the game wrote is read back from the replay.
    return true;
}
