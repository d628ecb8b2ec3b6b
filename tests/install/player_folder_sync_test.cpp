// The player's folder sync (tools/sync_player_folder.sh) on temporary folders: a first fill,
// an update that spares every file the player changed or made, and folders that cannot
// be written.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace fs = std::filesystem;

namespace {

using Tree = std::map<std::string, std::string>; // relative path: bytes, hidden files too

std::string slurp(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

Tree read_tree(const fs::path& root) {
    Tree tree;
    for (const auto& e : fs::recursive_directory_iterator(root))
        if (e.is_regular_file())
            tree[fs::relative(e.path(), root).string()] = slurp(e.path());
    return tree;
}

void write_tree(const fs::path& root, const Tree& tree) {
    for (const auto& [path, bytes] : tree) {
        fs::create_directories((root / path).parent_path());
        std::ofstream(root / path, std::ios::binary) << bytes;
    }
}

class PlayerFolderSync : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "sync_test_XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root = pattern;
        // 0755: the read-only case runs the sync as another user, who must read the files.
        fs::permissions(root, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                  fs::perms::others_read | fs::perms::others_exec);
        fs::copy_file(GLIMBO_SYNC_SCRIPT, root / "sync.sh"); // where that user can read it
    }
    void TearDown() override {
        set_writable(true);
        fs::remove_all(root);
    }

    // Gives or takes the write bits of the player's folder and everything in it.
    void set_writable(bool on) {
        const auto option = on ? fs::perm_options::add : fs::perm_options::remove;
        const auto bits =
            on ? fs::perms::owner_write
               : fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
        std::error_code ec;
        fs::permissions(player, bits, option, ec);
        for (const auto& e : fs::recursive_directory_iterator(player, ec))
            fs::permissions(e.path(), bits, option, ec);
    }

    // Runs the sync (behind `prefix`, a shell command that runs the rest) from `content`.
    int sync(const Tree& content, const std::string& prefix = "") {
        fs::remove_all(root / "content");
        write_tree(root / "content", content);
        const std::string cmd = prefix + " '" + (root / "sync.sh").string() + "' '" +
                                (root / "content").string() + "' '" + player.string() + "' >'" +
                                (root / "out").string() + "' 2>'" + (root / "err").string() + "'";
        const int status = std::system(("bash -c \"" + cmd + "\"").c_str());
        err = slurp(root / "err");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    Tree player_files() {
        Tree t = read_tree(player);
        t.erase(".glimbo-content");
        return t;
    }

    fs::path root, player = fs::path("/nonexistent");
    std::string err;
    const Tree v1 = {{"levels/level1.svg", "L1"}, {"levels/level2.svg", "L2"}, {"MyGame.svg", "G1"},
                     {"Data/a.tga", "A1"},        {"music.mod", "M1"},         {".stamp", ""}};
};

} // namespace

TEST_F(PlayerFolderSync, UpdatesWhatThePlayerLeftAndKeepsWhatThePlayerMade) {
    player = root / "home/glimbo";
    ASSERT_EQ(sync(v1), 0) << err;
    Tree expected = v1;
    expected.erase(".stamp"); // build records stay behind
    EXPECT_EQ(player_files(), expected);
    EXPECT_EQ(slurp(root / "out"), player.string() + "\n");

    const Tree own = {{"levels/level1.svg", "my level"},
                      {"levels/level9.svg", "nine"},
                      {"quicksave.sav", std::string("\0\0\0\0", 4)},
                      {"MyGame.svg", "my ground"}};
    write_tree(player, own);
    fs::remove(player / "Data/a.tga");

    const Tree v2 = {{"levels/level1.svg", "L1 v2"},
                     {"levels/level2.svg", "L2 v2"},
                     {"MyGame.svg", "G2"},
                     {"Data/a.tga", "A2"},
                     {"sounds/new.wav", "W2"}}; // music.mod is no longer content
    ASSERT_EQ(sync(v2), 0) << err;
    expected = own;
    expected["levels/level2.svg"] = "L2 v2";
    expected["Data/a.tga"] = "A2"; // deleted by the player, so put back
    expected["sounds/new.wav"] = "W2";
    EXPECT_EQ(player_files(), expected);
    EXPECT_NE(err.find("levels/level1.svg"), std::string::npos) << err;
    EXPECT_NE(err.find("MyGame.svg"), std::string::npos) << err;
    EXPECT_EQ(err.find("level9"), std::string::npos) << "never content, so never news";

    ASSERT_EQ(sync(v2), 0) << err;
    EXPECT_EQ(err, "") << "the files left alone are named once";
    EXPECT_EQ(player_files(), expected);
}

TEST_F(PlayerFolderSync, AReadOnlyOrFullFolderGivesAnErrorAndChangesNothing) {
    player = root / "player";
    ASSERT_EQ(sync(v1), 0) << err;
    fs::remove(player / "Data/a.tga");
    const Tree before = read_tree(player);
    Tree v2 = v1;
    v2["levels/level2.svg"] = "L2 v2";
    v2["Data/big.tga"] = std::string(300 * 1024, 'x');

    // Root writes anywhere, so root runs the sync as nobody; others lose the write bits.
    std::string as_reader = "setpriv --reuid=65534 --regid=65534 --clear-groups";
    if (getuid() != 0) {
        as_reader = "";
        set_writable(false);
    }
    EXPECT_NE(sync(v2, as_reader), 0);
    EXPECT_NE(err.find("read-only; nothing was changed"), std::string::npos) << err;
    EXPECT_EQ(read_tree(player), before);

    set_writable(true);
    // A file size limit fails the writes the way a full disk does (256 KiB, in 1 KiB units).
    EXPECT_NE(sync(v2, "ulimit -f 256; trap '' XFSZ;"), 0);
    EXPECT_NE(err.find("nothing was changed"), std::string::npos) << err;
    EXPECT_EQ(read_tree(player), before);
}
