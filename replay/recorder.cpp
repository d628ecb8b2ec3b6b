#include "replay/recorder.h"

#include "platform/random.h"

#include <iostream>

bool Recorder::open(const std::string& path, std::string& error) {
    return writer_.open(path, error);
}

void Recorder::begin(ReplayProgram program, int mouse_count, const ReplayGame& game) {
    if (begun_ || !stopped_.empty() || !writer_.is_open())
        return;
    begun_ = true;
    ReplayHeader header;
    header.program = program;
    header.mouse_count = mouse_count;
    header.random_state = random_state().state;
    last_digest_ = state_digest(game);
    append(encode_replay_header(header));
}

void Recorder::key(uint32_t code, bool down) {
    ReplayInput in;
    in.kind = InputKind::key;
    in.code = uint8_t(code);
    in.down = down;
    pending_.inputs.push_back(in);
}

void Recorder::mouse(int index, int32_t dx, int32_t dy, int32_t wheel, bool left, bool right,
                     bool middle) {
    ReplayInput in;
    in.kind = InputKind::mouse;
    in.mouse = index;
    in.dx = dx;
    in.dy = dy;
    in.wheel = wheel;
    in.buttons = uint8_t((left ? BUTTON_LEFT : 0) | (right ? BUTTON_RIGHT : 0) |
                         (middle ? BUTTON_MIDDLE : 0));
    pending_.inputs.push_back(in);
}

void Recorder::start() {
    pending_.inputs.push_back(ReplayInput{});
}

void Recorder::end_step(uint32_t elapsed_ms, const ReplayGame& game) {
    ++steps_;
    last_digest_ = state_digest(game);
    pending_.elapsed_ms = elapsed_ms;
    pending_.has_digest = steps_ % REPLAY_DIGEST_EVERY == 0;
    pending_.digest = pending_.has_digest ? last_digest_ : 0;
    append(encode_replay_step(pending_));
    pending_ = ReplayStep{};
}

bool Recorder::close(std::string& error) {
    if (!stopped_.empty()) {
        error = stopped_;
        return false;
    }
    if (!begun_) {
        writer_.abandon();
        return true;
    }
    // Inputs after the last step changed nothing that a step saw; they are not kept.
    append(encode_replay_end(steps_, last_digest_));
    return writer_.close(error);
}

void Recorder::append(const std::vector<uint8_t>& record) {
    if (recording() && !writer_.append(record))
        stop(writer_.error());
}

void Recorder::stop(const std::string& why) {
    // The part file keeps the steps written so far; it plays as an unfinished replay.
    stopped_ = why + "; the steps written so far are in " + writer_.part_path();
    std::cerr << "recording stopped: " << stopped_ << "\n";
    begun_ = false;
}

FileReadStatus Recorder::read(const std::string& path, std::vector<uint8_t>& bytes,
                              std::string& error) {
    const FileReadStatus status = source_.read(path, bytes, error);
    ReplayFileRead f;
    f.path = path;
    switch (status) {
    case FileReadStatus::ok:
        f.status = RecordedRead::read;
        f.bytes = bytes;
        break;
    case FileReadStatus::cannot_open:
        f.status = RecordedRead::cannot_open;
        break;
    case FileReadStatus::read_error:
        f.status = RecordedRead::read_error;
        break;
    }
    // The games read their own fixed names; a path the format cannot hold (or a file too
    // big for it) ends the recording rather than make a replay that cannot be read.
    if (!replay_can_keep(path, bytes.size())) {
        stop(path + " cannot be kept in a replay");
        return status;
    }
    pending_.files.push_back(std::move(f));
    return status;
}

bool Recorder::write(const std::string& path, const std::vector<uint8_t>& bytes,
                     std::string& error) {
    return source_.write(path, bytes, error);
}
