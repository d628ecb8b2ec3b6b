// Where the games' files come from and go to. The disk normally; a recording notes every
// read on the way, and a replay serves the reads from the replay and keeps writes off disk.
#pragma once

#include "level/safe_file.h"

#include <cstdint>
#include <string>
#include <vector>

class FileAccess {
  public:
    virtual ~FileAccess() = default;
    // Same contract as read_whole_file.
    virtual FileReadStatus read(const std::string& path, std::vector<uint8_t>& bytes,
                                std::string& error) = 0;
    // Same contract as write_file_atomically.
    virtual bool write(const std::string& path, const std::vector<uint8_t>& bytes,
                       std::string& error) = 0;
};

// The files on disk, through read_whole_file and write_file_atomically.
FileAccess& disk_files();
