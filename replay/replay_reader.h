// Reading a replay file back, every field checked: a damaged replay is refused with a
// message that names what is wrong and where (byte offset, step), never half-read.
#pragma once

#include "replay/replay_format.h"

#include <cstdint>
#include <span>
#include <string>

enum class ReplayReadStatus {
    ok,
    unfinished, // whole steps but no end record: what a crashed recording leaves; it plays
    refused,    // not a replay, another program's, another version, or damaged
};

struct ReplayReadResult {
    ReplayReadStatus status = ReplayReadStatus::ok;
    std::string message; // why refused, or what is unfinished; empty when ok
};

// Decodes `bytes` into `replay`, expecting a recording of `program`. When refused,
// `replay` is left empty.
ReplayReadResult parse_replay(std::span<const uint8_t> bytes, ReplayProgram program,
                              Replay& replay);

// The same for the file at `path`; a file that cannot be read is refused with the reason.
ReplayReadResult read_replay_file(const std::string& path, ReplayProgram program, Replay& replay);
