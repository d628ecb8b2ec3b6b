// End to end under Xvfb: the message-box check, the install with its launcher and menu
// entries, and ./run, each starting glimbo in a temporary player's folder.
#include "tests/support/program_e2e.h"

#include <cstdlib>

namespace fs = std::filesystem;

namespace {

class InstallEndToEnd : public ProgramEndToEnd {
  protected:
    InstallEndToEnd() : ProgramEndToEnd({"", "Tethro Game, on Kavo framework", 640, 480}) {}

    // Starts glimbo through `starter`, expects its window and the content in the player's
    // folder; Escape must then end it with exit code 0.
    void play_and_quit(const std::string& starter, std::vector<std::string> env = {}) {
        game_.program = starter;
        env.push_back("GLIMBO_HOME=" + (dir / "player").string());
        start(env, {"glimbo"});
        ASSERT_NE(game_window(), 0u);
        EXPECT_TRUE(fs::exists(dir / "player/levels/level1.svg"));
        x.tap("Escape");
        expect_clean_exit();
    }
};

} // namespace

TEST_F(InstallEndToEnd, MessageBoxCheckNamesMissingFontsAndTheLineWrittenInstead) {
    EXPECT_EQ(message_box_problem(xvfb.display()), "");
    // With only the server's built-in fonts SDL cannot draw a box: mygame1, which finds no
    // MyGame.svg, writes the box's text instead, and the check says what to install.
    XvfbServer bare;
    ASSERT_TRUE(bare.start({"-fp", "built-ins"}));
    EXPECT_NE(message_box_problem(bare.display()).find("xfonts-base"), std::string::npos);
    game_.program = MYGAME1_PROGRAM;
    start({"DISPLAY=" + bare.display()});
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
