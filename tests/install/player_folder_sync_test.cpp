// The player's folder sync (tools/sync_player_folder.sh) on temporary folders: a first fill,
// an update that spares every file the player changed or made, and folders that cannot
// be written.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>

namespace fs = std::filesystem;

namespace {

using Tree = std::map<std::string, std::string>; // relative path: bytes

std::string slurp(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void write_tree(const fs::path& dir, const Tree& tree) {
    for (const auto& [path, bytes] : tree) {
        fs::create_directories((dir / path).parent_path());
        std::ofstream(dir / path, std::ios::binary) << bytes;
    }
}

class PlayerFolderSync : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "sync_test_XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        r = pattern;
        fs::permissions(r, fs::perms(0755)); // the read-only case reads as another user
        fs::copy_file(GLIMBO_SYNC_SCRIPT, r + "/sync.sh");
    }
    void TearDown() override {
        std::system(("chmod -R u+w '" + r + "'").c_str());
        fs::remove_all(r);
    }

    // Runs the sync from `content`, behind `prefix` (a shell command that runs the rest).
    int sync(const Tree& content, const std::string& prefix = "") {
        fs::remove_all(r + "/content");
        write_tree(r + "/content", content);
        const std::string cmd = prefix + " '" + r + "/sync.sh' '" + r + "/content' '" + r +
                                "/player' >'" + r + "/out' 2>'" + r + "/err'";
        const int status = std::system(("bash -c \"" + cmd + "\"").c_str());
        err = slurp(r + "/err");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    // The player's folder, its manifest (the sync's own record) left out unless asked for.
    Tree player(bool manifest = false) {
        Tree tree;
        for (const auto& e : fs::recursive_directory_iterator(r + "/player"))
            if (e.is_regular_file() && (manifest || e.path().filename() != ".glimbo-content"))
                tree[fs::relative(e.path(), r + "/player").string()] = slurp(e.path());
        return tree;
    }

    std::string r, err;
    Tree v1 = {{"levels/level1.svg", "L1"},
               {"levels/level2.svg", "L2"},
               {"MyGame.svg", "G1"},
               {"Data/a.tga", "A1"},
               {"music.mod", "M1"}};
};

} // namespace

TEST_F(PlayerFolderSync, UpdatesWhatThePlayerLeftAndKeepsWhatThePlayerMade) {
    Tree expected = v1;
    v1[".stamp"] = ""; // a build record, which stays behind
    ASSERT_EQ(sync(v1), 0) << err;
    EXPECT_EQ(player(), expected);
    EXPECT_EQ(slurp(r + "/out"), r + "/player\n");

    expected = {{"levels/level1.svg", "my level"},
                {"levels/level9.svg", "nine"},
                {"quicksave.sav", std::string(4, '\0')},
                {"MyGame.svg", "my ground"}};
    write_tree(r + "/player", expected);
    fs::remove(r + "/player/Data/a.tga");
    ASSERT_EQ(sync({{"levels/level1.svg", "L1 v2"},
                    {"levels/level2.svg", "L2 v2"},
                    {"MyGame.svg", "G2"},
                    {"Data/a.tga", "A2"},
                    {"sounds/new.wav", "W2"}}),
              0)
        << err; // music.mod is no longer content: untouched, so removed
    expected["levels/level2.svg"] = "L2 v2";
    expected["Data/a.tga"] = "A2"; // deleted by the player, so put back
    expected["sounds/new.wav"] = "W2";
    EXPECT_EQ(player(), expected);
    EXPECT_NE(err.find("  MyGame.svg\n  levels/level1.svg\n"), std::string::npos) << err;

    ASSERT_EQ(sync({{"levels/level1.svg", "L1 v2"}, {"MyGame.svg", "G2"}}), 0) << err;
    EXPECT_EQ(err, "") << "the files left alone are named once";
}

TEST_F(PlayerFolderSync, AReadOnlyOrFullFolderGivesAnErrorAndChangesNothing) {
    ASSERT_EQ(sync(v1), 0) << err;
    fs::remove(r + "/player/Data/a.tga");
    const Tree before = player(true);
    v1["levels/level2.svg"] = "L2 v2";
    v1["Data/big.tga"] = std::string(300 * 1024, 'x');

    // Root writes anywhere, so root runs the sync as nobody; others lose the write bits.
    EXPECT_NE(sync(v1, getuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups"
                                     : "chmod -R a-w '" + r + "/player';"),
              0);
    EXPECT_NE(err.find("read-only; nothing was changed"), std::string::npos) << err;
    std::system(("chmod -R u+w '" + r + "/player'").c_str());
    EXPECT_EQ(player(true), before);

    // A file size limit fails the writes the way a full disk does (256 KiB, in 1 KiB units).
    EXPECT_NE(sync(v1, "ulimit -f 256; trap '' XFSZ;"), 0);
    EXPECT_NE(err.find("(is the disk full?); nothing was changed"), std::string::npos) << err;
    EXPECT_EQ(player(true), before);
}
