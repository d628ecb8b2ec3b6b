// Writes a replay as it goes: every record lands in "<file>.part" whole, with one write,
// so a program that dies leaves a part file that ends after its last whole record (and
// plays as an unfinished replay). Closing renames the part file over the target.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class ReplayWriter {
  public:
    ReplayWriter() = default;
    ReplayWriter(const ReplayWriter&) = delete;
    ReplayWriter& operator=(const ReplayWriter&) = delete;
    // An open writer that was never closed leaves its part file as it is.
    ~ReplayWriter();

    // Creates (or empties) the part file beside `path`.
    bool open(const std::string& path, std::string& error);
    // Appends one record. After a failure every later call fails too; error() says why.
    bool append(const std::vector<uint8_t>& record);
    // Flushes to disk and renames the part file over the target.
    bool close(std::string& error);
    // Removes the part file; nothing is written to the target.
    void abandon();

    bool is_open() const { return fd_ >= 0; }
    const std::string& error() const { return error_; }
    const std::string& part_path() const { return part_; }

  private:
    int fd_ = -1;
    std::string path_, part_, error_;
};
