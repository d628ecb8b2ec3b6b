#include "game/keys.h"
#include "test_world.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

LevelData level_with(std::vector<Blob> blobs) {
    LevelData l;
    l.ground = {gp(-60, -2), gp(60, -2)};
    l.base = {BasePoint{}, BasePoint{}};
    l.blobs = std::move(blobs);
    return l;
}

// Moves player 0's pointer offset to (x, y) with mouse motion, as the raw mouse would.
void mouse_to(GameState& gs, float x, float y, bool left) {
    const Player& p = gs.players[0];
    const int mx = int(std::lround((x - p.pointer_dx) * 10));
    const int my = int(std::lround(-(y - p.pointer_dy) * 10));
    player_mouse_input(gs, 0, mx, my, 0, left, false, false);
}

TEST(WholeLoop, TwoLevelsThenGameCompleteAndLevelOneAgain) {
    TempDir dir("glimbo_loop");
    dir.write_level(1, level_with({blob_at(6, -1), blob_at(12, -1)}));
    dir.write_level(2, level_with({blob_at(-8, -1)}));

    random_reset();
    GameState gs;
    FakeHost host;
    init_game_state(gs, 1);
    gs.files_dir = dir.path.string();
    reset_level(gs, host);
    install_default_controls(gs);
    fill_menu_items(gs);
    key_event(gs, gs.players[0].roll_key, true);

    std::vector<int> levels_seen = {gs.level_index};
    bool press = false;
    for (int step = 0; step < 4000 && host.messages.empty(); ++step) {
        if (!gs.playing) {
            // Click "play": release, then press on the item at the centre.
            mouse_to(gs, 0, 0, press);
            press = !press;
        } else {
            const Player& p = gs.players[0];
            float target = p.x;
            for (const Blob& b : gs.level.blobs)
                if (b.present)
                    target = b.x;
            mouse_to(gs, target > p.x ? 16.0f : -16.0f, 0, false);
        }
        game_step(gs, host, 16);
        if (gs.level_index != levels_seen.back())
            levels_seen.push_back(gs.level_index);
    }
    EXPECT_EQ(levels_seen, (std::vector<int>{0, 1, 0}));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].caption, "game complete");
    EXPECT_EQ(host.quit_requests, 0);
    EXPECT_EQ(host.count(Sample::bing), 3);
    EXPECT_EQ(host.count(Sample::complete), 2);
    EXPECT_EQ(gs.highest_level, 1);
    ASSERT_EQ(gs.level.blobs.size(), 2u); // level 1 again, all blobs back
    EXPECT_EQ(gs.level.blobs[0].present, 1);
    EXPECT_FALSE(gs.playing);
    EXPECT_FLOAT_EQ(gs.players[0].x, 0);
}

} // namespace
