#include "replay/replay_format.h"

#include "level/byte_io.h"

namespace {

void write_u16(ByteWriter& w, uint16_t v) {
    write_u8(w, uint8_t(v));
    write_u8(w, uint8_t(v >> 8));
}

void write_u64(ByteWriter& w, uint64_t v) {
    write_u32(w, uint32_t(v));
    write_u32(w, uint32_t(v >> 32));
}

void write_input(ByteWriter& w, const ReplayInput& in) {
    write_u8(w, uint8_t(in.kind));
    switch (in.kind) {
    case InputKind::key:
        write_u8(w, in.code);
        write_u8(w, in.down ? 1 : 0);
        break;
    case InputKind::mouse:
        write_i32(w, in.mouse);
        write_i32(w, in.dx);
        write_i32(w, in.dy);
        write_i32(w, in.wheel);
        write_u8(w, in.buttons);
        break;
    case InputKind::start:
        break;
    }
}

void write_file_read(ByteWriter& w, const ReplayFileRead& f) {
    write_u16(w, uint16_t(f.path.size()));
    for (char c : f.path)
        write_u8(w, uint8_t(c));
    write_u8(w, uint8_t(f.status));
    write_u32(w, uint32_t(f.bytes.size()));
    w.bytes.insert(w.bytes.end(), f.bytes.begin(), f.bytes.end());
}

} // namespace

const char* replay_program_name(ReplayProgram program) {
    switch (program) {
    case ReplayProgram::glimbo:
        return "glimbo";
    case ReplayProgram::ropegame:
        return "ropegame";
    }
    return "an unknown program";
}

bool replay_can_keep(const std::string& path, size_t size) {
    if (path.empty() || path.size() > REPLAY_MAX_PATH || size > REPLAY_MAX_FILE_BYTES)
        return false;
    for (char c : path) {
        if (uint8_t(c) < 0x20 || uint8_t(c) == 0x7F)
            return false;
    }
    return true;
}

std::vector<uint8_t> encode_replay_header(const ReplayHeader& header) {
    ByteWriter w;
    for (char c : REPLAY_MAGIC)
        write_u8(w, uint8_t(c));
    write_u32(w, REPLAY_VERSION);
    write_u32(w, uint32_t(header.program));
    write_i32(w, header.mouse_count);
    write_u32(w, header.random_state);
    return std::move(w.bytes);
}

std::vector<uint8_t> encode_replay_step(const ReplayStep& step) {
    ByteWriter w;
    write_u8(w, REPLAY_STEP_TAG);
    write_u32(w, step.elapsed_ms);
    write_u32(w, uint32_t(step.inputs.size()));
    for (const ReplayInput& in : step.inputs)
        write_input(w, in);
    write_u32(w, uint32_t(step.files.size()));
    for (const ReplayFileRead& f : step.files)
        write_file_read(w, f);
    write_u8(w, step.has_digest ? 1 : 0);
    if (step.has_digest)
        write_u64(w, step.digest);
    return std::move(w.bytes);
}

std::vector<uint8_t> encode_replay_end(uint32_t step_count, uint64_t digest) {
    ByteWriter w;
    write_u8(w, REPLAY_END_TAG);
    write_u32(w, step_count);
    write_u64(w, digest);
    return std::move(w.bytes);
}

std::vector<uint8_t> encode_replay(const Replay& replay) {
    std::vector<uint8_t> out = encode_replay_header(replay.header);
    for (const ReplayStep& step : replay.steps) {
        const std::vector<uint8_t> record = encode_replay_step(step);
        out.insert(out.end(), record.begin(), record.end());
    }
    if (replay.finished) {
        const std::vector<uint8_t> end =
            encode_replay_end(uint32_t(replay.steps.size()), replay.end_digest);
        out.insert(out.end(), end.begin(), end.end());
    }
    return out;
}
