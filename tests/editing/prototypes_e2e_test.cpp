#include "tests/editing/e2e_support.h"

TEST_F(ProgramE2E, MygameeditSavesTheUntouchedGround) {
    RunningProgram p(program("mygameedit"), folder.string());
    std::string window = focused_main_window();
    ASSERT_FALSE(window.empty());
    ASSERT_TRUE(press_until("s", [&] { return size_of("MyGame.svg") == 56; }));
    quit_with_escape(p, window);
}

// Without "MyGame.svg" the prototypes say so, then play on the floor until Escape.
class MissingGroundE2E : public ProgramE2E, public ::testing::WithParamInterface<const char*> {};

TEST_P(MissingGroundE2E, ShowsTheLoadErrorAndRunsOnUntilEscape) {
    RunningProgram p(program(GetParam()), folder.string());
    std::string box = wait_for_error_box();
    ASSERT_FALSE(box.empty());
    ASSERT_TRUE(dismiss_error_box(box));
    std::string window = wait_for_window(MAIN_WINDOW_TITLE);
    ASSERT_FALSE(window.empty());
    EXPECT_TRUE(p.running());
    quit_with_escape(p, window);
}

INSTANTIATE_TEST_SUITE_P(Prototypes, MissingGroundE2E, ::testing::Values("mygame1", "mygame2"));
