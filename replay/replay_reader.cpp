#include "replay/replay_reader.h"

#include "level/byte_io.h"
#include "level/safe_file.h"

#include <cstdio>
#include <cstring>

namespace {

// Smallest encodings, which bound how many records the rest of the file can hold.
constexpr size_t MIN_INPUT_BYTES = 1;
constexpr size_t MIN_FILE_READ_BYTES = 2 + 1 + 1 + 4;

std::string hex(uint64_t v) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(v));
    return text;
}

// A refusal carries its message out of the nested reads.
struct Refusal {
    std::string message;
};

class Parser {
  public:
    Parser(std::span<const uint8_t> bytes, Replay& replay) : r_{bytes}, replay_(replay) {}

    void header(ReplayProgram expected) {
        // Too short for the magic is not a replay at all; the header is read in one go.
        if (r_.bytes.size() < sizeof REPLAY_MAGIC ||
            std::memcmp(r_.bytes.data(), REPLAY_MAGIC, sizeof REPLAY_MAGIC) != 0)
            throw Refusal{"not a replay file: it does not start with \"GLREPLAY\" (byte 0)"};
        if (r_.bytes.size() < REPLAY_HEADER_BYTES)
            throw Refusal{"truncated: the file ends at byte " + std::to_string(r_.bytes.size()) +
                          ", inside the " + std::to_string(REPLAY_HEADER_BYTES) +
                          "-byte replay header"};
        skip_bytes(r_, sizeof REPLAY_MAGIC);
        const size_t at_version = r_.pos;
        const uint32_t version = read_u32(r_);
        if (version != REPLAY_VERSION)
            throw Refusal{"replay format version " + std::to_string(version) + " at byte " +
                          std::to_string(at_version) + " is not supported; this program reads " +
                          "version " + std::to_string(REPLAY_VERSION)};
        const size_t at_program = r_.pos;
        const uint32_t program = read_u32(r_);
        if (program != uint32_t(ReplayProgram::glimbo) &&
            program != uint32_t(ReplayProgram::ropegame))
            throw Refusal{"unknown program " + std::to_string(program) + " at byte " +
                          std::to_string(at_program)};
        if (program != uint32_t(expected))
            throw Refusal{std::string("this replay was recorded by ") +
                          replay_program_name(ReplayProgram(program)) + ", not by " +
                          replay_program_name(expected)};
        replay_.header.program = ReplayProgram(program);
        const size_t at_mice = r_.pos;
        replay_.header.mouse_count = read_i32(r_);
        // The players are allocated for this count.
        if (replay_.header.mouse_count < 0 || replay_.header.mouse_count > REPLAY_MAX_MICE)
            throw Refusal{"mouse count " + std::to_string(replay_.header.mouse_count) +
                          " at byte " + std::to_string(at_mice) + " is outside 0.." +
                          std::to_string(REPLAY_MAX_MICE)};
        replay_.header.random_state = read_u32(r_);
    }

    // Reads records up to the end record or the end of the file.
    ReplayReadResult records() {
        while (r_.remaining() > 0) {
            const size_t at = r_.pos;
            const uint8_t tag = read_u8(r_);
            if (tag == REPLAY_STEP_TAG) {
                step(at);
            } else if (tag == REPLAY_END_TAG) {
                end(at);
                return {};
            } else {
                throw Refusal{"unknown record tag " + hex(tag) + " at byte " + std::to_string(at) +
                              ", after step " + std::to_string(replay_.steps.size())};
            }
        }
        return {ReplayReadStatus::unfinished, "the recording stopped after step " +
                                                  std::to_string(replay_.steps.size()) +
                                                  " without its end record"};
    }

  private:
    // Where the current step's record started, for the messages.
    std::string in_step() const {
        return "step " + std::to_string(replay_.steps.size() + 1) + " (record at byte " +
               std::to_string(step_at_) + ")";
    }

    // Every read of a step's record goes through here: a record cut short is truncation.
    void need(size_t n, const char* what) {
        if (!r_.can_read(n))
            throw Refusal{"truncated: the file ends at byte " + std::to_string(r_.bytes.size()) +
                          " inside " + what + " of " + in_step()};
    }
    uint8_t u8(const char* what) {
        need(1, what);
        return read_u8(r_);
    }
    uint32_t u32(const char* what) {
        need(4, what);
        return read_u32(r_);
    }
    int32_t i32(const char* what) {
        need(4, what);
        return read_i32(r_);
    }
    uint64_t u64(const char* what) {
        need(8, what);
        const uint64_t low = read_u32(r_);
        return low | uint64_t(read_u32(r_)) << 32;
    }
    [[noreturn]] void bad(const std::string& what, size_t at) {
        throw Refusal{in_step() + ": " + what + " at byte " + std::to_string(at)};
    }
    // A count read from the file, bounded by what the rest of the file could hold, so that
    // a damaged count neither allocates wildly nor loops for long.
    uint32_t count(const char* what, size_t min_bytes_each) {
        const size_t at = r_.pos;
        const uint32_t n = u32(what);
        if (uint64_t(n) * min_bytes_each > r_.remaining())
            bad(std::string(what) + " " + std::to_string(n) +
                    " is more than the rest of the file can hold",
                at);
        return n;
    }

    ReplayInput input() {
        ReplayInput in;
        const size_t at = r_.pos;
        const uint8_t kind = u8("an input kind");
        switch (kind) {
        case uint8_t(InputKind::key): {
            in.kind = InputKind::key;
            in.code = u8("a key code");
            const size_t at_down = r_.pos;
            const uint8_t down = u8("a key's down flag");
            if (down > 1)
                bad("key down flag " + std::to_string(down) + " is neither 0 nor 1", at_down);
            in.down = down == 1;
            break;
        }
        case uint8_t(InputKind::mouse): {
            in.kind = InputKind::mouse;
            const size_t at_mouse = r_.pos;
            in.mouse = i32("a mouse index");
            // Reports come from the recorded mice only.
            if (in.mouse < 0 || in.mouse >= replay_.header.mouse_count)
                bad("mouse index " + std::to_string(in.mouse) + " is not one of the " +
                        std::to_string(replay_.header.mouse_count) + " recorded mice",
                    at_mouse);
            in.dx = i32("a mouse report");
            in.dy = i32("a mouse report");
            in.wheel = i32("a mouse report");
            const size_t at_buttons = r_.pos;
            in.buttons = u8("a mouse report");
            if (in.buttons > (BUTTON_LEFT | BUTTON_RIGHT | BUTTON_MIDDLE))
                bad("mouse buttons " + hex(in.buttons) + " name more than three buttons",
                    at_buttons);
            break;
        }
        case uint8_t(InputKind::start):
            in.kind = InputKind::start;
            break;
        default:
            bad("unknown input kind " + std::to_string(kind), at);
        }
        return in;
    }

    ReplayFileRead file_read() {
        ReplayFileRead f;
        const size_t at_length = r_.pos;
        need(2, "a file path length");
        const uint8_t low = read_u8(r_);
        const uint16_t length = uint16_t(low | read_u8(r_) << 8);
        // No game reads a file without a name, nor one with a name longer than a path.
        if (length == 0 || length > REPLAY_MAX_PATH)
            bad("file path length " + std::to_string(length) + " is outside 1.." +
                    std::to_string(REPLAY_MAX_PATH),
                at_length);
        need(length, "a file path");
        const size_t at_path = r_.pos;
        for (uint16_t i = 0; i < length; ++i) {
            const uint8_t c = read_u8(r_);
            // The path is printed in messages and compared with the game's own names.
            if (c < 0x20 || c == 0x7F)
                bad("file path holds control character " + hex(c), at_path + i);
            f.path.push_back(char(c));
        }
        const size_t at_status = r_.pos;
        const uint8_t status = u8("a file status");
        if (status > uint8_t(RecordedRead::read_error))
            bad("file status " + std::to_string(status) + " of \"" + f.path + "\" is unknown",
                at_status);
        f.status = RecordedRead(status);
        const size_t at_size = r_.pos;
        const uint32_t size = u32("a file size");
        // A file that could not be read has no bytes; any there would be served by mistake.
        if (f.status != RecordedRead::read && size != 0)
            bad("\"" + f.path + "\" was not read but holds " + std::to_string(size) + " bytes",
                at_size);
        // A damaged size must not allocate beyond what a level or a quick save could be.
        if (size > REPLAY_MAX_FILE_BYTES)
            bad("file size " + std::to_string(size) + " of \"" + f.path + "\" is over " +
                    std::to_string(REPLAY_MAX_FILE_BYTES),
                at_size);
        need(size, "the bytes of a recorded file");
        f.bytes.assign(r_.bytes.begin() + std::ptrdiff_t(r_.pos),
                       r_.bytes.begin() + std::ptrdiff_t(r_.pos + size));
        skip_bytes(r_, size);
        return f;
    }

    void step(size_t at) {
        step_at_ = at;
        ReplayStep s;
        s.elapsed_ms = u32("the elapsed time");
        const uint32_t inputs = count("input count", MIN_INPUT_BYTES);
        s.inputs.reserve(inputs);
        for (uint32_t i = 0; i < inputs; ++i)
            s.inputs.push_back(input());
        const uint32_t files = count("file count", MIN_FILE_READ_BYTES);
        s.files.reserve(files);
        for (uint32_t i = 0; i < files; ++i)
            s.files.push_back(file_read());
        const size_t at_flag = r_.pos;
        const uint8_t flag = u8("the digest flag");
        if (flag > 1)
            bad("digest flag " + std::to_string(flag) + " is neither 0 nor 1", at_flag);
        s.has_digest = flag == 1;
        if (s.has_digest)
            s.digest = u64("the digest");
        replay_.steps.push_back(std::move(s));
    }

    void end(size_t at) {
        // The step count and the digest: 12 bytes.
        if (r_.remaining() < 12)
            throw Refusal{"truncated: the file ends at byte " + std::to_string(r_.bytes.size()) +
                          " inside the end record at byte " + std::to_string(at)};
        const uint32_t steps = read_u32(r_);
        // A count that disagrees means records were lost or added.
        if (steps != replay_.steps.size())
            throw Refusal{"the end record at byte " + std::to_string(at) + " counts " +
                          std::to_string(steps) + " steps, but the replay holds " +
                          std::to_string(replay_.steps.size())};
        const uint64_t low = read_u32(r_);
        replay_.end_digest = low | uint64_t(read_u32(r_)) << 32;
        replay_.finished = true;
        if (r_.remaining() > 0)
            throw Refusal{
                "the file goes on after the end record: " + std::to_string(r_.remaining()) +
                " more bytes from byte " + std::to_string(r_.pos)};
    }

    ByteReader r_;
    Replay& replay_;
    size_t step_at_ = 0;
};

} // namespace

ReplayReadResult parse_replay(std::span<const uint8_t> bytes, ReplayProgram program,
                              Replay& replay) {
    replay = Replay{};
    try {
        Parser parser(bytes, replay);
        parser.header(program);
        return parser.records();
    } catch (const Refusal& refusal) {
        replay = Replay{};
        return {ReplayReadStatus::refused, refusal.message};
    }
}

ReplayReadResult read_replay_file(const std::string& path, ReplayProgram program, Replay& replay) {
    std::vector<uint8_t> bytes;
    std::string error;
    if (read_whole_file(path, bytes, error) != FileReadStatus::ok) {
        replay = Replay{};
        return {ReplayReadStatus::refused, error};
    }
    ReplayReadResult result = parse_replay(bytes, program, replay);
    if (!result.message.empty())
        result.message = path + ": " + result.message;
    return result;
}
