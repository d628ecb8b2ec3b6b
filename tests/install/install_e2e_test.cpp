// End to end under Xvfb: the message-box check, the install with its launcher and menu
// entries, and ./run, each starting glimbo in a temporary player's folder.
#include "tests/support/child_process.h"
#include "tests/support/message_box_check.h"
#include "tests/support/x_client.h"
#include "tests/support/xvfb_server.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

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
        fs::remove_all(dir);
    }

    bool start(const std::string& exe, const std::string& display, std::vector<std::string> env,
               const std::vector<std::string>& args = {}) {
        env.insert(env.end(), {"DISPLAY=" + display, "GLIMBO_HOME=" + (dir / "player").string(),
                               "SDL_AUDIODRIVER=dummy", "ASAN_OPTIONS=detect_leaks=0"});
        return program.start(exe, dir.string(), env, output(), args);
    }
    std::string output() const { return (dir / "output.txt").string(); }

    // Starts glimbo through `starter`, expects its window and the content in the player's
    // folder; Escape must then end it with exit code 0.
    void play_and_quit(const std::string& starter, const std::vector<std::string>& env = {}) {
        ASSERT_TRUE(start(starter, xvfb.display(), env, {"glimbo"}));
        ASSERT_TRUE(x.open(xvfb.display()));
        unsigned long w = 0;
        ASSERT_TRUE(wait_until([&] {
            return (w = x.find_window("Tethro Game, on Kavo framework"));
        })) << read_text_file(output());
        EXPECT_TRUE(fs::exists(dir / "player/levels/level1.svg"));
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
    // With only the server's built-in fonts SDL cannot draw a box: mygame1, which finds no
    // MyGame.svg, writes the box's text instead, and the check says what to install.
    XvfbServer bare;
    ASSERT_TRUE(bare.start({"-fp", "built-ins"}));
    EXPECT_NE(message_box_problem(bare.display()).find("xfonts-base"), std::string::npos);
    ASSERT_TRUE(start(MYGAME1_PROGRAM, bare.display(), {}));
    std::string line;
    EXPECT_TRUE(
        wait_until([&] { return !(line = message_box_fallback_in(output(), "Error")).empty(); }));
    EXPECT_EQ(line, "Error: Error: couldnt load the file");
}

TEST_F(InstallEndToEnd, InstalledLauncherAndMenuEntriesStartGlimboInThePlayersFolder) {
    const std::string p = (dir / "prefix").string(), log = " >'" + output() + "' 2>&1";
    const std::string install = "'" GLIMBO_CMAKE "' --install '" GLIMBO_BUILD_DIR "' --prefix '";
    ASSERT_EQ(std::system((install + p + "'" + log).c_str()), 0) << read_text_file(output());
    for (const char* file :
         {"libexec/glimbo/ropegame", "libexec/glimbo/mygame2", "share/glimbo/content/music.mod",
          "share/icons/hicolor/48x48/apps/glimbo-leveledit.png"})
        EXPECT_TRUE(fs::exists(p + "/" + file)) << file;
    const std::string validate = "cd '" + p + "/share/applications' && desktop-file-validate " +
                                 "glimbo.desktop glimbo-ropegame.desktop glimbo-leveledit.desktop";
    EXPECT_EQ(std::system((validate + log).c_str()), 0);
    EXPECT_EQ(read_text_file(output()), "") << "no errors, warnings or hints";
    play_and_quit(p + "/bin/glimbo-launch");
}

TEST_F(InstallEndToEnd, RunStartsGlimboWithItsContentInGlimboHome) {
    play_and_quit(GLIMBO_SOURCE_DIR "/run", {"GLIMBO_BUILD_DIR=" GLIMBO_BUILD_DIR});
}
