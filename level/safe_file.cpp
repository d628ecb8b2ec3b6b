#include "level/safe_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

FileReadStatus read_whole_file(const std::string& path, std::vector<uint8_t>& bytes,
                               std::string& error) {
    bytes.clear();
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        error = path + ": " + std::strerror(errno);
        return FileReadStatus::cannot_open;
    }
    uint8_t chunk[65536];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0)
        bytes.insert(bytes.end(), chunk, chunk + n);
    bool bad = std::ferror(f) != 0;
    std::fclose(f);
    if (bad) {
        bytes.clear();
        error = path + ": read error";
        return FileReadStatus::read_error;
    }
    return FileReadStatus::ok;
}

static std::string folder_of(const std::string& path) {
    size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool write_file_atomically(const std::string& path, const std::vector<uint8_t>& bytes,
                           std::string& error) {
    std::string base = path.substr(path.find_last_of('/') == std::string::npos
                                       ? 0
                                       : path.find_last_of('/') + 1);
    std::string tmp = folder_of(path) + "/." + base + ".XXXXXX";
    std::vector<char> name(tmp.begin(), tmp.end());
    name.push_back('\0');
    int fd = mkstemp(name.data());
    if (fd < 0) {
        error = path + ": " + std::strerror(errno);
        return false;
    }
    // mkstemp creates the file private; give it the mode a plain create would have.
    mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);

    const uint8_t* p = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        ssize_t w = ::write(fd, p, left);
        if (w < 0 && errno == EINTR)
            continue;
        if (w <= 0) {
            error = path + ": " + std::strerror(w < 0 ? errno : ENOSPC);
            ::close(fd);
            ::unlink(name.data());
            return false;
        }
        p += w;
        left -= size_t(w);
    }
    bool synced = ::fsync(fd) == 0;
    int sync_errno = errno;
    bool closed = ::close(fd) == 0;
    if (!synced || !closed) {
        error = path + ": " + std::strerror(synced ? errno : sync_errno);
        ::unlink(name.data());
        return false;
    }
    if (std::rename(name.data(), path.c_str()) != 0) {
        error = path + ": " + std::strerror(errno);
        ::unlink(name.data());
        return false;
    }
    return true;
}
