#include "level/file_access.h"

namespace {

class DiskFiles : public FileAccess {
  public:
    FileReadStatus read(const std::string& path, std::vector<uint8_t>& bytes,
                        std::string& error) override {
        return read_whole_file(path, bytes, error);
    }
    bool write(const std::string& path, const std::vector<uint8_t>& bytes,
               std::string& error) override {
        return write_file_atomically(path, bytes, error);
    }
};

} // namespace

FileAccess& disk_files() {
    static DiskFiles disk;
    return disk;
}
