#include "level/level_file.h"
#include "level/mygame_file.h"
#include "level/safe_file.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct TempDir {
    fs::path path;
    TempDir() {
        char tmpl[] = "/tmp/level_test_XXXXXX";
        path = mkdtemp(tmpl);
    }
    ~TempDir() {
        fs::permissions(path, fs::perms::owner_all);
        fs::remove_all(path);
    }
};

size_t entries(const fs::path& dir) {
    return size_t(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
}

} // namespace

TEST(SafeFile, SaveReplacesAndLoadsBack) {
    TempDir dir;
    std::string file = (dir.path / "level.svg").string();
    std::string error;
    LevelData first = editor_start_level();
    ASSERT_TRUE(write_level_file(file, first, error)) << error;
    EXPECT_EQ(fs::file_size(file), 148u);

    LevelData second = first;
    second.blobs.push_back({5, 5, 1, 1});
    ASSERT_TRUE(write_level_file(file, second, error)) << error;
    EXPECT_EQ(fs::file_size(file), 164u);
    EXPECT_EQ(entries(dir.path), 1u); // no temporary file left behind
    const mode_t mask = umask(0);
    umask(mask);
    EXPECT_EQ(fs::status(file).permissions(), fs::perms(0666 & ~mask));

    LevelData got;
    ASSERT_EQ(read_level_file(file, got).status, LevelReadStatus::ok);
    EXPECT_EQ(got.blobs.size(), 2u);
    std::ofstream(file, std::ios::binary) << "LSD"; // shorter than a header
    const LevelReadResult damaged = read_level_file(file, got);
    EXPECT_EQ(damaged.status, LevelReadStatus::damaged);
    EXPECT_EQ(damaged.error.rfind(file, 0), 0u) << "the error names the file";
}

TEST(SafeFile, DiskFullMidWriteKeepsOldFile) {
    // A file-size limit makes every write past 100 bytes fail, as a full disk would, and
    // holds even for root.
    TempDir dir;
    std::string file = (dir.path / "level.svg").string();
    std::string error;
    LevelData small;
    ASSERT_TRUE(write_level_file(file, small, error));
    ASSERT_EQ(fs::file_size(file), 20u);

    struct rlimit old_limit;
    getrlimit(RLIMIT_FSIZE, &old_limit);
    struct rlimit limit = old_limit;
    limit.rlim_cur = 100;
    auto old_handler = signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    bool saved = write_level_file(file, editor_start_level(), error);
    setrlimit(RLIMIT_FSIZE, &old_limit);
    signal(SIGXFSZ, old_handler);

    EXPECT_FALSE(saved);
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(fs::file_size(file), 20u);
    EXPECT_EQ(entries(dir.path), 1u);
    LevelData got = editor_start_level();
    EXPECT_EQ(read_level_file(file, got).status, LevelReadStatus::ok);
    EXPECT_TRUE(got.ground.empty());
}
