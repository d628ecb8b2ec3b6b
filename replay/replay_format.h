// The replay file: everything a game's simulation received, step by step, so that the run
// can be played again exactly. Little-endian, written and read field by field.
//
//   header   8  magic "GLREPLAY"
//            4  format version (REPLAY_VERSION)
//            4  program (ReplayProgram)
//            4  number of mice at the start (players are allocated for it)
//            4  random generator state at the start
//   records  1  tag, then the record:
//     'S' step   4  elapsed milliseconds handed to the step
//                4  input count, then the inputs in arrival order, each a kind byte:
//                     1 key    1 virtual-key code, 1 down (0 or 1)
//                     2 mouse  4 mouse index, 4 x motion, 4 y motion, 4 wheel steps,
//                              1 buttons (1 left, 2 right, 4 middle)
//                     3 start  (the window was built: the world starts afresh)
//                4  count of files read since the step before, then each file:
//                     2 path length, path, 1 status (0 read, 1 cannot open, 2 read error),
//                     4 size, the bytes (none unless read)
//                1  1 when a digest of the state after the step follows, else 0
//                8  the digest
//     'E' end    4  number of steps, 8 digest of the state after the last step
//   Nothing follows the end record. A recording that stopped without one (the program
//   crashed) ends after its last whole step record and still plays.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

inline constexpr char REPLAY_MAGIC[8] = {'G', 'L', 'R', 'E', 'P', 'L', 'A', 'Y'};
constexpr uint32_t REPLAY_VERSION = 1;
constexpr size_t REPLAY_HEADER_BYTES = 24;
constexpr uint32_t REPLAY_DIGEST_EVERY = 100; // steps between two recorded digests
constexpr int32_t REPLAY_MAX_MICE = 256;
constexpr size_t REPLAY_MAX_PATH = 4096;
constexpr uint32_t REPLAY_MAX_FILE_BYTES = 256u << 20;

constexpr uint8_t REPLAY_STEP_TAG = 'S';
constexpr uint8_t REPLAY_END_TAG = 'E';

enum class ReplayProgram : uint32_t { glimbo = 1, ropegame = 2 };

const char* replay_program_name(ReplayProgram program);

struct ReplayHeader {
    ReplayProgram program = ReplayProgram::glimbo;
    int32_t mouse_count = 0;
    uint32_t random_state = 1;
};

enum class InputKind : uint8_t { key = 1, mouse = 2, start = 3 };

constexpr uint8_t BUTTON_LEFT = 1, BUTTON_RIGHT = 2, BUTTON_MIDDLE = 4;

struct ReplayInput {
    InputKind kind = InputKind::start;
    uint8_t code = 0; // key
    bool down = false;
    int32_t mouse = 0; // mouse report
    int32_t dx = 0, dy = 0, wheel = 0;
    uint8_t buttons = 0;

    bool operator==(const ReplayInput&) const = default;
};

enum class RecordedRead : uint8_t { read = 0, cannot_open = 1, read_error = 2 };

struct ReplayFileRead {
    std::string path;
    RecordedRead status = RecordedRead::read;
    std::vector<uint8_t> bytes;

    bool operator==(const ReplayFileRead&) const = default;
};

struct ReplayStep {
    uint32_t elapsed_ms = 0;
    std::vector<ReplayInput> inputs;
    std::vector<ReplayFileRead> files;
    bool has_digest = false;
    uint64_t digest = 0;

    bool operator==(const ReplayStep&) const = default;
};

struct Replay {
    ReplayHeader header;
    std::vector<ReplayStep> steps;
    bool finished = false; // the end record was there
    uint64_t end_digest = 0;
};

// True when a read of `path` with `size` bytes fits the format: a path of 1..4096 bytes
// without control characters, and at most REPLAY_MAX_FILE_BYTES.
bool replay_can_keep(const std::string& path, size_t size);

std::vector<uint8_t> encode_replay_header(const ReplayHeader& header);
std::vector<uint8_t> encode_replay_step(const ReplayStep& step);
std::vector<uint8_t> encode_replay_end(uint32_t step_count, uint64_t digest);
// The whole file, as a finished recording of `replay` would be written.
std::vector<uint8_t> encode_replay(const Replay& replay);
