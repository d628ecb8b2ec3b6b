// The prototypes and their ground editor under Xvfb: the editor saves the untouched ground,
// and without a ground file the prototypes say so, then play on until Escape.
#include "tests/support/program_e2e.h"

#include <filesystem>

namespace {

class PrototypesEndToEnd : public ProgramEndToEnd,
                           public ::testing::WithParamInterface<const char*> {
  protected:
    PrototypesEndToEnd() : ProgramEndToEnd({"", "Kavo's New GL Framework", 0, 0}) {}
    void start_program(const std::string& name) {
        std::filesystem::remove(dir / "MyGame.svg");
        game_.program = std::string(GLIMBO_BIN) + "/" + name;
        start();
    }
};

TEST_F(PrototypesEndToEnd, MygameeditSavesTheUntouchedGround) {
    start_program("mygameedit");
    ASSERT_NE(game_window(), 0u);
    EXPECT_TRUE(press_until("s", [&] {
        std::error_code ec;
        return std::filesystem::file_size(dir / "MyGame.svg", ec) == 56 && !ec;
    }));
    x.tap("Escape");
    expect_clean_exit();
}

TEST_P(PrototypesEndToEnd, ShowTheLoadErrorAndRunOnUntilEscape) {
    start_program(GetParam());
    ASSERT_TRUE(dismiss_box("Error"));
    ASSERT_NE(game_window(), 0u);
    x.tap("Escape");
    expect_clean_exit();
}

INSTANTIATE_TEST_SUITE_P(Prototypes, PrototypesEndToEnd, ::testing::Values("mygame1", "mygame2"));

} // namespace
