// End to end under Xvfb: the message-box check, the install with its launcher and menu
// entries, and ./run, each starting glimbo in a temporary player's folder.
#include "tests/support/child_process.h"
#include "tests/support/message_box_check.h"
#include "tests/support/x_client.h"
#include "tests/support/xvfb_server.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

const std::string GLIMBO_TITLE = "Tethro Game, on Kavo framework";

class InstallEndToEnd : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "install_e2e_XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir = pattern;
        ASSERT_TRUE(xvfb.start()) << "Xvfb did not start";
    }
    void TearDown() override {
        program.kill_now();
        x.close();
        xvfb.stop();
        fs::remove_all(dir);
    }

    std::vector<std::string> env(const std::string& display) const {
        return {"DISPLAY=" + display, "GLIMBO_HOME=" + (dir / "player").string(),
                "SDL_AUDIODRIVER=dummy", "ASAN_OPTIONS=detect_leaks=0"};
    }
    std::string output() const { return (dir / "output.txt").string(); }

    // Starts glimbo through `starter`, waits for its window and for the content in the
    // player's folder, then Escape must end it with exit code 0.
    void play_and_quit(const std::string& starter, std::vector<std::string> extra_env = {}) {
        std::vector<std::string> e = env(xvfb.display());
        e.insert(e.end(), extra_env.begin(), extra_env.end());
        ASSERT_TRUE(program.start(starter, dir.string(), e, output(), {"glimbo"}));
        ASSERT_TRUE(x.open(xvfb.display()));
        unsigned long w = 0;
        ASSERT_TRUE(wait_until([&] { return (w = x.find_window(GLIMBO_TITLE)) != 0; }))
            << read_text_file(output());
        EXPECT_TRUE(fs::exists(dir / "player/levels/level1.svg"));
        EXPECT_TRUE(fs::exists(dir / "player/.glimbo-content"));
        ASSERT_TRUE(x.focus(w));
        x.tap("Escape");
        int code = -1;
        ASSERT_TRUE(program.wait_exit(code));
        EXPECT_EQ(code, 0) << read_text_file(output());
    }

    fs::path dir;
    XvfbServer xvfb;
    XClient x;
    ChildProcess program;
};

} // namespace

TEST_F(InstallEndToEnd, MessageBoxCheckNamesMissingFontsAndTheLineWrittenInstead) {
    EXPECT_EQ(message_box_problem(xvfb.display()), "");

    // A server with only its built-in fonts: SDL cannot draw the box, mygame1 writes its
    // text instead (it has no MyGame.svg), and the check says what to install.
    XvfbServer bare;
    ASSERT_TRUE(bare.start({"-fp", "built-ins"}));
    EXPECT_NE(message_box_problem(bare.display()).find("xfonts-base"), std::string::npos);
    ASSERT_TRUE(program.start(MYGAME1_PROGRAM, dir.string(), env(bare.display()), output()));
    std::string line;
    EXPECT_TRUE(
        wait_until([&] { return !(line = message_box_fallback_in(output(), "Error")).empty(); }));
    EXPECT_EQ(line, "Error: Error: couldnt load the file");
    program.kill_now();
}

TEST_F(InstallEndToEnd, InstalledLauncherAndMenuEntriesStartGlimboInThePlayersFolder) {
    const fs::path prefix = dir / "prefix";
    const std::string install = "'" GLIMBO_CMAKE "' --install '" GLIMBO_BUILD_DIR "' --prefix '" +
                                prefix.string() + "' >'" + output() + "' 2>&1";
    ASSERT_EQ(std::system(install.c_str()), 0) << read_text_file(output());
    for (const char* program : {"glimbo", "ropegame", "leveledit", "mygame1", "mygameedit",
                                "mygame2", "sync_player_folder.sh"})
        EXPECT_TRUE(fs::exists(prefix / "libexec/glimbo" / program)) << program;
    EXPECT_TRUE(fs::exists(prefix / "share/glimbo/content/levels/level1.svg"));
    EXPECT_FALSE(fs::exists(prefix / "share/glimbo/content/.stamp"));
    std::string entries;
    for (const char* name : {"glimbo", "glimbo-ropegame", "glimbo-leveledit"}) {
        EXPECT_TRUE(
            fs::exists(prefix / "share/icons/hicolor/48x48/apps" / (name + std::string(".png"))));
        entries += " '" + (prefix / "share/applications" / name).string() + ".desktop'";
    }
    const std::string validate = "desktop-file-validate" + entries + " >'" + output() + "' 2>&1";
    EXPECT_EQ(std::system(validate.c_str()), 0);
    EXPECT_EQ(read_text_file(output()), "") << "no errors, warnings or hints";

    play_and_quit((prefix / "bin/glimbo-launch").string());
}

TEST_F(InstallEndToEnd, RunStartsGlimboWithItsContentInGlimboHome) {
    play_and_quit(GLIMBO_SOURCE_DIR "/run", {"GLIMBO_BUILD_DIR=" GLIMBO_BUILD_DIR});
}
