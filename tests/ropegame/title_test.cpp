#include "physics/keys.h"
#include "rope_world.h"

#include <gtest/gtest.h>

using namespace ropegame;

namespace {

struct TitleTest : ::testing::Test {
    TempDir dir{"ropegame_title"};
    FakeHost host;
    void SetUp() override {
        for (int n = 1; n <= 3; ++n)
            dir.write_level(n, flat_level({blob_at(float(10 * n), 0)}));
    }
};

TEST_F(TitleTest, EnterStartsAOnePlayerGame) {
    World w = start_in(dir, host, 3);
    run(w, host);
    EXPECT_FALSE(w.playing);
    w.time_taken = 500;
    hold(w, KEY_ENTER);
    run(w, host);
    EXPECT_TRUE(w.playing);
    EXPECT_EQ(w.player_count, 1);
    EXPECT_EQ(w.time_taken, 0);
    hold(w, KEY_ENTER, false);
    hold(w, 'M');
    run(w, host);
    hold(w, 'M', false);
    hold(w, KEY_SPACE); // Space starts with every player who is left
    run(w, host, 2);
    EXPECT_TRUE(w.playing);
    EXPECT_EQ(w.player_count, 1);
}

TEST_F(TitleTest, ClicksStartOnceArmedAndMWithTheButtonHeldRestarts) {
    World w = start_in(dir, host, 2);
    player_mouse_input(w, 1, 0, 0, 0, true, false, false); // held since before the title
    run(w, host);
    EXPECT_FALSE(w.playing); // not armed yet: this step arms it (player 0's button is up)
    EXPECT_TRUE(w.play_armed);
    run(w, host);
    EXPECT_TRUE(w.playing); // player 1's click starts it, wherever the pointer is

    player_mouse_input(w, 1, 0, 0, 0, false, false, false);
    player_mouse_input(w, 0, 0, 0, 0, true, false, false);
    hold(w, 'M');
    run(w, host);
    EXPECT_FALSE(w.playing);
    run(w, host);
    EXPECT_TRUE(w.playing); // still armed: the held button starts play again at once
    EXPECT_TRUE(w.play_armed);
}

TEST_F(TitleTest, NineAndZeroChooseTheLevel) {
    World w = start_in(dir, host);
    hold(w, KEY_9);
    run(w, host); // held since the start: acts only after a release
    EXPECT_EQ(w.level_index, 0);
    hold(w, KEY_9, false);
    run(w, host);
    hold(w, KEY_9);
    for (int s = 0; s < 4; ++s) {
        w.level.blobs[0].present = 0;
        run(w, host);
        EXPECT_EQ(w.level_index, 1);
        EXPECT_EQ(w.level.blobs.at(0).present, 1) << "reloaded on every step of the press";
    }
    hold(w, KEY_9, false);
    run(w, host);
    hold(w, KEY_9);
    run(w, host);
    EXPECT_EQ(w.level_index, 2);
    EXPECT_FLOAT_EQ(w.level.blobs[0].x, 30);
    hold(w, KEY_9, false);

    auto press_0 = [&] {
        hold(w, KEY_0);
        run(w, host);
        hold(w, KEY_0, false);
        run(w, host);
    };
    press_0();
    press_0();
    EXPECT_EQ(w.level_index, 0);
    EXPECT_TRUE(host.messages.empty());
    press_0(); // below the first level: the game-complete box, then level 1 again
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].first, "game complete");
    EXPECT_EQ(w.level_index, 0);
    EXPECT_FLOAT_EQ(w.level.blobs.at(0).x, 10);
    EXPECT_FALSE(w.playing);
}

TEST_F(TitleTest, TogglesOncePerPressWithoutShift) {
    World w = start_in(dir, host);
    const char keys[] = {'F', 'T', 'L', 'G'};
    for (char k : keys)
        hold(w, k);
    run(w, host); // held since the start: the latches are not set yet
    EXPECT_TRUE(w.inflate_mode);
    EXPECT_FALSE(w.camera_midpoint_mode);
    for (char k : keys)
        hold(w, k, false);
    run(w, host);
    for (char k : keys)
        hold(w, k);
    run(w, host, 3);
    EXPECT_FALSE(w.inflate_mode);
    EXPECT_TRUE(w.trail_enabled);
    EXPECT_TRUE(w.flock_enabled);
    EXPECT_TRUE(w.camera_midpoint_mode);
    for (char k : keys)
        hold(w, k, false);
    run(w, host);
    hold(w, 'G');
    run(w, host);
    EXPECT_FALSE(w.camera_midpoint_mode);
    EXPECT_TRUE(w.flock_enabled);
    EXPECT_FALSE(w.playing); // none of these starts play
}

} // namespace
