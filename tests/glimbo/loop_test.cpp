#include "test_world.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Plays two levels with mouse input only (plus the held roll key), to the end of the game.
TEST(WholeLoop, TwoLevelsThenGameCompleteAndLevelOneAgain) {
    TempDir dir("glimbo_loop");
    dir.write_level(1, flat_level({blob_at(6, -1), blob_at(12, -1)}));
    dir.write_level(2, flat_level({blob_at(-8, -1)}));
    FakeHost host;
    GameState gs = dir.start(host);
    install_default_controls(gs);
    key_event(gs, gs.players[0].roll_key, true);

    const Player& p = gs.players[0];
    auto mouse_to = [&](float x, bool left) {
        player_mouse_input(gs, 0, int(std::lround((x - p.pointer_dx) * 10)),
                           int(std::lround(p.pointer_dy * 10)), 0, left, false, false);
    };
    std::vector<int> levels_seen = {0};
    bool press = false;
    for (int step = 0; step < 4000 && host.messages.empty(); ++step) {
        if (!gs.playing) { // click "play": release, then press on the centre item
            mouse_to(0, press);
            press = !press;
        } else {
            float target = p.x;
            for (const Blob& b : gs.level.blobs)
                if (b.present)
                    target = b.x;
            mouse_to(target > p.x ? 16.0f : -16.0f, false);
        }
        game_step(gs, host, 16);
        if (gs.level_index != levels_seen.back())
            levels_seen.push_back(gs.level_index);
    }
    EXPECT_EQ(levels_seen, (std::vector<int>{0, 1, 0}));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].first, "game complete");
    EXPECT_EQ(host.count(Sample::bing), 3);
    EXPECT_EQ(host.count(Sample::complete), 2);
    ASSERT_EQ(gs.level.blobs.size(), 2u); // level 1 again, with all its blobs
    EXPECT_EQ(gs.level.blobs[0].present, 1);
    EXPECT_FALSE(gs.playing);
}

} // namespace
