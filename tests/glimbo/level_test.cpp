#include "glimbo/level_progress.h"
#include "physics/keys.h"
#include "test_world.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

namespace {

TEST(Levels, BlobReachNearestAndDoubleBing) {
    GameState gs = play_world({{0, 0}});
    FakeHost host;
    gs.level.blobs = {{2, 0}, {0, 1.9f}, {-1.5f, 0}, {9, 9}, {0, -1.5f}}; // 2 and 4 as near
    EXPECT_FALSE(run_blob_pass(gs, host, 0, true));
    EXPECT_EQ(gs.level.blobs[0].present, 1); // exactly radius + 1 away: not collected
    EXPECT_EQ(gs.level.blobs[1].present + gs.level.blobs[2].present + gs.level.blobs[4].present, 0);
    EXPECT_EQ(host.sounds, (std::vector<std::pair<Sample, int>>{
                               {Sample::bing, 0}, {Sample::bing, 1}, {Sample::bing, 2}}));
    EXPECT_EQ(gs.blobs_left, 2);
    EXPECT_EQ(gs.players[0].nearest_blob, 2); // the first of equals
}

TEST(Levels, FinishedMissingAndDamagedLevels) {
    TempDir dir("glimbo_levels");
    FakeHost host;
    GameState gs = dir.start(host); // no level1.svg
    using Messages = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(host.messages, Messages({{"error", "you need a level1.svg file"}}));
    EXPECT_EQ(host.icons, std::vector<MessageIcon>{MessageIcon::stop});
    EXPECT_EQ(host.quit_requests, 1);

    dir.write_level(1, flat_level({{5.5f, -1}})); // in reach of player 2 only
    dir.write_level(2, flat_level({{5.5f, -1}}));
    host = FakeHost{};
    gs = dir.start(host, 3);
    gs.playing = true;
    Player& p = gs.players[0];
    p.ropes[0].attached = p.ropes[1].attached = 1;
    game_step(gs, host, 20); // finished by player 2, on level 2 with the ropes let go
    EXPECT_EQ(host.count(Sample::bing), 2); // level 2's blob taken by player 2's pass again
    EXPECT_EQ(p.ropes[0].attached + p.ropes[1].attached, 0);
    EXPECT_EQ(gs.level_index, 1);
    EXPECT_EQ(gs.highest_level, 1);
    EXPECT_EQ(gs.level.blobs.size(), 1u);
    EXPECT_FALSE(gs.playing);
    EXPECT_EQ(host.count(Sample::complete), 1);

    gs.level_index = 2; // past the last level: game complete, level 1 again
    reset_level(gs, host);
    EXPECT_LE(std::max(std::fabs(gs.camera_x), std::fabs(gs.camera_y)), 500);
    for (const Sheep& s : gs.flock) // the flock starts in [0, 10] x [0, 10]
        EXPECT_TRUE(s.x >= 0 && s.x <= 10 && s.y >= 0 && s.y <= 10) << s.x << ", " << s.y;
    const std::string thanks = "well done youve completed the game(or level not found)!, good "
                               "ending, eh? (thanks for playing glimbo)";
    EXPECT_EQ(host.messages, Messages({{"game complete", thanks}}));
    EXPECT_EQ(host.icons, std::vector<MessageIcon>{MessageIcon::information});
    EXPECT_EQ(gs.level_index, 0);

    std::ofstream(dir.path / "levels" / "level2.svg") << "not a level"; // damaged
    host = FakeHost{};
    gs.level_index = 1;
    reset_level(gs, host);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].first, "error");
    EXPECT_NE(host.messages[0].second.find("levels/level2.svg"), std::string::npos);
    EXPECT_EQ(gs.level_index, 0);
    EXPECT_EQ(gs.level.blobs.size(), 1u); // level 1 again
    EXPECT_EQ(host.quit_requests, 0);
}

TEST(Menu, ItemsClicksKeysAndLatches) {
    TempDir dir("glimbo_menu");
    for (int n = 1; n <= 3; ++n)
        dir.write_level(n, flat_level({{float(n), 30}}));
    FakeHost host;
    GameState gs = dir.start(host, 2);
    // Each item's label and box (centre, half sizes): just inside its corners is in, its
    // borders out.
    const char* labels[MENU_ITEM_COUNT] = {"play",          "exit",       "back 1 level",
                                           "restart level", "next level", "change controls",
                                           "single player", "save game",  "load game"};
    const float boxes[MENU_ITEM_COUNT][4] = {{0, 0, 4, 3},    {12, 0, 4, 3},  {-12, 0, 6, 3},
                                             {0, 6, 6, 3},    {0, -6, 6, 3},  {12, 6, 6, 3},
                                             {-12, -6, 6, 3}, {12, -6, 6, 3}, {-12, 6, 6, 3}};
    for (int k = 0; k < MENU_ITEM_COUNT; ++k) {
        const auto [x, y, hw, hh] = boxes[k];
        EXPECT_STREQ(gs.menu_items[size_t(k)].label, labels[k]);
        EXPECT_EQ(gs.menu_items[size_t(k)].texture_slot, 5) << k;
        EXPECT_TRUE(point_in_menu_item(gs, k, x + hw - 0.01f, y + hh - 0.01f)) << k;
        EXPECT_TRUE(point_in_menu_item(gs, k, x - hw + 0.01f, y - hh + 0.01f)) << k;
        for (auto [bx, by] : {std::pair{x + hw, y}, {x - hw, y}, {x, y + hh}, {x, y - hh}})
            EXPECT_FALSE(point_in_menu_item(gs, k, bx, by)) << k;
    }
    auto step_with = [&](std::vector<int> keys, int steps = 1) {
        for (int k : keys)
            key_event(gs, k, true);
        for (int s = 0; s < steps; ++s)
            game_step(gs, host, 20);
        for (int k : keys)
            key_event(gs, k, false);
    };
    auto toggles = [&] {
        return std::vector<bool>{gs.flock_enabled, gs.trail_enabled, gs.soft_collisions,
                                 gs.background_enabled, gs.inflate_mode};
    };
    gs.players[0].button_down[0] = 1; // held since the start, on "play": no click
    step_with({'L', 'T', 'J', 'B', KEY_SHIFT, 'F', KEY_9}); // latches start cleared: keys held
    EXPECT_EQ(toggles(), (std::vector<bool>{false, false, false, true, true})); // do nothing
    EXPECT_FALSE(gs.menu_armed || gs.level_index);

    Player& p0 = gs.players[0];
    auto click = [&](float x, float y) {
        p0.pointer_dx = x, p0.pointer_dy = y, p0.button_down[0] = 0;
        game_step(gs, host, 20);
        p0.button_down[0] = 1;
        game_step(gs, host, 20);
    };
    click(0, -6); // "next level" at the highest level reached
    EXPECT_EQ(gs.level_index, 0);
    click(-12, 0); // "back 1 level" on level 1
    EXPECT_EQ(gs.level_index, 0);
    EXPECT_TRUE(host.messages.empty());
    gs.highest_level = 2;
    click(0, -6);
    EXPECT_EQ(gs.level_index, 1);
    EXPECT_FLOAT_EQ(gs.level.blobs[0].x, 2);
    gs.binding_player = 1;
    click(12, 6); // "change controls": roll, jump and rigid keys of each player in turn
    for (char c : std::string("ASDJKL")) {
        key_event(gs, c, true);
        key_event(gs, c, false); // releases bind nothing
    }
    EXPECT_EQ(std::string({char(p0.roll_key), char(p0.rigid_key), char(gs.players[1].jump_key)}),
              "ADK");
    EXPECT_FALSE(gs.binding_mode);
    click(-12, -6); // "single player"
    EXPECT_EQ(gs.player_count, 1);
    click(12, -6); // "save game" on level 2
    click(-12, 0);
    EXPECT_EQ(gs.level_index, 0);
    p0.x = 77;
    p0.ropes[0].attached = 1;
    click(0, 6); // "restart level"
    EXPECT_FLOAT_EQ(p0.x, 0);
    EXPECT_EQ(p0.ropes[0].attached, 0);
    EXPECT_FLOAT_EQ(gs.time_taken, 0);
    click(-12, 6); // "load game"
    EXPECT_EQ(gs.level_index, 1);
    click(30, 30); // outside every item
    click(0, 0);
    EXPECT_TRUE(gs.playing);
    // The first menu step after play ignores the held button until released.
    step_with({'M'});
    p0.pointer_dx = 12, p0.pointer_dy = 0; // "exit"
    step_with({}, 2);
    EXPECT_EQ(host.quit_requests, 0);
    click(12, 0);
    EXPECT_EQ(host.quit_requests, 1);

    step_with({'L', 'T', 'J', 'B'}, 3); // once per press
    EXPECT_EQ(toggles(), (std::vector<bool>{true, true, true, false, true}));
    gs.players[0].x = 77;
    step_with({KEY_SHIFT, KEY_9}, 2); // one level per press, with a reset
    EXPECT_EQ(gs.level_index, 2);
    EXPECT_FLOAT_EQ(gs.players[0].x, 0);
    step_with({KEY_SHIFT, KEY_0, 'F'}, 2);
    EXPECT_EQ(gs.level_index, 1);
    EXPECT_FALSE(gs.inflate_mode);
    step_with({}); // the keys up for a step, then Shift + 0 again: back to the first
    step_with({KEY_SHIFT, KEY_0});
    EXPECT_EQ(gs.level_index, 0);
    gs.player_count = 2;
    step_with({KEY_ENTER});
    EXPECT_EQ(gs.player_count, 1);
}

} // namespace
