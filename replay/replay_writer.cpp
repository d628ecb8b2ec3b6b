#include "replay/replay_writer.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

ReplayWriter::~ReplayWriter() {
    if (fd_ >= 0)
        ::close(fd_);
}

bool ReplayWriter::open(const std::string& path, std::string& error) {
    path_ = path;
    part_ = path + ".part";
    error_.clear();
    fd_ = ::open(part_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd_ < 0) {
        error = error_ = part_ + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

bool ReplayWriter::append(const std::vector<uint8_t>& record) {
    if (fd_ < 0 || !error_.empty())
        return false;
    const uint8_t* p = record.data();
    size_t left = record.size();
    while (left > 0) {
        const ssize_t n = ::write(fd_, p, left);
        if (n < 0 && errno == EINTR)
            continue;
        // A full disk shows up as a short write of nothing.
        if (n <= 0) {
            error_ = part_ + ": " + std::strerror(n < 0 ? errno : ENOSPC);
            return false;
        }
        p += n;
        left -= size_t(n);
    }
    return true;
}

bool ReplayWriter::close(std::string& error) {
    if (fd_ < 0) {
        error = error_.empty() ? path_ + ": not open" : error_;
        return false;
    }
    const bool synced = error_.empty() && ::fsync(fd_) == 0;
    if (error_.empty() && !synced)
        error_ = part_ + ": " + std::strerror(errno);
    ::close(fd_);
    fd_ = -1;
    if (error_.empty() && std::rename(part_.c_str(), path_.c_str()) != 0)
        error_ = path_ + ": " + std::strerror(errno);
    error = error_;
    return error_.empty();
}

void ReplayWriter::abandon() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!part_.empty())
        ::unlink(part_.c_str());
}
