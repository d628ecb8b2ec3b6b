// Files kept in memory: what a scripted run reads, and where its quick save goes.
#pragma once

#include "level/file_access.h"

#include <map>

struct MemoryFiles : FileAccess {
    std::map<std::string, std::vector<uint8_t>> files;

    FileReadStatus read(const std::string& path, std::vector<uint8_t>& bytes,
                        std::string& error) override {
        const auto it = files.find(path);
        if (it == files.end()) {
            bytes.clear();
            error = path + ": no such file";
            return FileReadStatus::cannot_open;
        }
        bytes = it->second;
        return FileReadStatus::ok;
    }
    bool write(const std::string& path, const std::vector<uint8_t>& bytes, std::string&) override {
        files[path] = bytes;
        return true;
    }
};
