// Whole-file reading and crash-safe writing for the files the programs save.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class FileReadStatus { ok, cannot_open, read_error };

// Reads the whole file. On failure `bytes` is left empty and `error` says why.
FileReadStatus read_whole_file(const std::string& path, std::vector<uint8_t>& bytes,
                               std::string& error);

// Writes `bytes` to a temporary file beside `path`, flushes it to disk and renames it over
// `path`. The previous file stays untouched unless every byte was written. Returns false
// with `error` set when anything failed; the temporary file is removed in that case.
bool write_file_atomically(const std::string& path, const std::vector<uint8_t>& bytes,
                           std::string& error);
