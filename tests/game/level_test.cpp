#include "game/keys.h"
#include "test_world.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

LevelData flat_level(std::vector<Blob> blobs) {
    LevelData l;
    l.ground = {gp(-50, -2), gp(50, -2)};
    l.base = {BasePoint{}, BasePoint{}};
    l.blobs = std::move(blobs);
    return l;
}

// A started game in the menu, as the program leaves it after its initialisation.
GameState started(const TempDir& dir, int mice = 1) {
    random_reset();
    GameState gs;
    init_game_state(gs, mice);
    gs.files_dir = dir.path.string();
    fill_menu_items(gs);
    return gs;
}

TEST(Blobs, ReachNearestAndDoubleBing) {
    GameState gs = play_world({{0, 0}});
    FakeHost host;
    gs.level.blobs = {blob_at(2, 0), blob_at(0, 1.9f), blob_at(-1.5f, 0), blob_at(9, 9)};
    EXPECT_FALSE(blob_pass(gs, host, 0));
    // Exactly radius + 1 away is not collected; the two nearer ones are, on channels 0, 1.
    EXPECT_EQ(gs.level.blobs[0].present, 1);
    EXPECT_EQ(gs.level.blobs[1].present, 0);
    EXPECT_EQ(gs.level.blobs[2].present, 0);
    ASSERT_EQ(host.sounds.size(), 2u);
    EXPECT_EQ(host.sounds[1], std::make_pair(Sample::bing, 1));
    EXPECT_EQ(gs.blobs_left, 2);
    EXPECT_EQ(gs.players[0].nearest_blob, 2); // nearest while still present
    EXPECT_FALSE(blob_pass(gs, host, 0));
    EXPECT_EQ(gs.players[0].nearest_blob, 0);
}

TEST(Levels, LevelWithoutBlobsFinishesAtOnce) {
    TempDir dir("glimbo_noblobs");
    dir.write_level(1, flat_level({}));
    dir.write_level(2, flat_level({blob_at(30, 0), blob_at(40, 0)}));
    GameState gs = started(dir);
    FakeHost host;
    reset_level(gs, host);
    EXPECT_EQ(gs.level.blobs.size(), 0u);
    gs.playing = true;
    game_step(gs, host, 20);
    EXPECT_EQ(gs.level_index, 1);
    EXPECT_EQ(gs.highest_level, 1);
    EXPECT_EQ(gs.level.blobs.size(), 2u);
    EXPECT_FALSE(gs.playing);
    EXPECT_EQ(host.count(Sample::complete), 1);
    EXPECT_FLOAT_EQ(gs.players[0].x, 0);
}

TEST(Levels, MissingAndDamagedFiles) {
    TempDir dir("glimbo_missing");
    GameState gs = started(dir);
    FakeHost host;
    reset_level(gs, host);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].caption, "error");
    EXPECT_EQ(host.messages[0].text, "you need a level1.svg file");
    EXPECT_EQ(host.messages[0].icon, MessageIcon::stop);
    EXPECT_EQ(host.quit_requests, 1);
    EXPECT_TRUE(gs.level.ground.empty());

    // Past the last level: the game-complete box and back to level 1.
    dir.write_level(1, flat_level({blob_at(5, 0)}));
    host = FakeHost{};
    gs.level_index = 1;
    reset_level(gs, host);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].caption, "game complete");
    EXPECT_EQ(host.messages[0].icon, MessageIcon::information);
    EXPECT_EQ(host.messages[0].text.rfind("well done youve completed the game(or level not "
                                          "found)!, good ending, eh? (",
                                          0),
              0u);
    EXPECT_EQ(gs.level_index, 0);
    EXPECT_EQ(gs.level.blobs.size(), 1u);
    EXPECT_EQ(host.quit_requests, 0);

    // A damaged level 2: its own error box, level 1 again, no game-complete box.
    std::ofstream(dir.path / "levels" / "level2.svg") << "not a level at all";
    host = FakeHost{};
    gs.level_index = 1;
    reset_level(gs, host);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].caption, "error");
    EXPECT_NE(host.messages[0].text.find("level2.svg"), std::string::npos);
    EXPECT_EQ(gs.level_index, 0);
    EXPECT_EQ(gs.level.blobs.size(), 1u);
    EXPECT_EQ(host.quit_requests, 0);
    EXPECT_EQ(gs.highest_level, 0);
}

TEST(Menu, ItemBordersAndLevelNavigation) {
    TempDir dir("glimbo_menu");
    for (int n = 1; n <= 3; ++n)
        dir.write_level(n, flat_level({blob_at(float(n), 30)}));
    GameState gs = started(dir);
    FakeHost host;
    reset_level(gs, host);
    EXPECT_TRUE(point_in_menu_item(gs, 0, 3.99f, 2.99f));
    EXPECT_FALSE(point_in_menu_item(gs, 0, 4, 0)); // borders are outside
    EXPECT_FALSE(point_in_menu_item(gs, 0, 0, -3));
    EXPECT_TRUE(point_in_menu_item(gs, 2, -17.9f, 0));

    Player& p0 = gs.players[0];
    auto click = [&](float x, float y) {
        p0.pointer_dx = x;
        p0.pointer_dy = y;
        p0.button_down[0] = 0;
        game_step(gs, host, 20); // arms the click latch
        p0.button_down[0] = 1;
        game_step(gs, host, 20);
    };
    click(0, -6); // "next level" at the highest level reached: nothing
    EXPECT_EQ(gs.level_index, 0);
    click(-12, 0); // "back 1 level" on level 1: nothing
    EXPECT_EQ(gs.level_index, 0);
    gs.highest_level = 2;
    click(0, -6);
    EXPECT_EQ(gs.level_index, 1);
    EXPECT_FLOAT_EQ(gs.level.blobs[0].x, 2);
    EXPECT_EQ(p0.button_down[0], 0); // the reset cleared the held button
    click(30, 30);                   // outside every item
    EXPECT_EQ(gs.level_index, 1);
    click(-12, -6); // "single player" is harmless with one player
    click(0, 0);
    EXPECT_TRUE(gs.playing);
    EXPECT_FLOAT_EQ(gs.time_taken, 0);

    // The first menu step after play ignores the held button until it is released.
    key_event(gs, key_letter('M'), true);
    game_step(gs, host, 20);
    key_event(gs, key_letter('M'), false);
    EXPECT_FALSE(gs.playing);
    p0.pointer_dx = 12;
    p0.pointer_dy = 0; // "exit"
    p0.button_down[0] = 1;
    game_step(gs, host, 20);
    game_step(gs, host, 20);
    EXPECT_EQ(host.quit_requests, 0);
    click(12, 0);
    EXPECT_EQ(host.quit_requests, 1);
}

TEST(Menu, KeysAndLatches) {
    TempDir dir("glimbo_keys");
    for (int n = 1; n <= 3; ++n)
        dir.write_level(n, flat_level({blob_at(float(n), 30)}));
    GameState gs = started(dir, 2);
    FakeHost host;
    reset_level(gs, host);

    // Held since start: nothing until released once.
    key_event(gs, key_letter('L'), true);
    game_step(gs, host, 20);
    EXPECT_FALSE(gs.flock_enabled);
    key_event(gs, key_letter('L'), false);
    game_step(gs, host, 20);
    key_event(gs, key_letter('L'), true);
    game_step(gs, host, 20);
    game_step(gs, host, 20);
    EXPECT_TRUE(gs.flock_enabled); // once per press

    // Shift + 9: one level per press, but a reload on every held step.
    key_event(gs, KEY_SHIFT, true);
    key_event(gs, KEY_9, true);
    gs.players[1].x = 77;
    game_step(gs, host, 20);
    EXPECT_EQ(gs.level_index, 1);
    gs.players[1].x = 77;
    game_step(gs, host, 20);
    EXPECT_EQ(gs.level_index, 1);
    EXPECT_FLOAT_EQ(gs.players[1].x, 2); // reset again
    key_event(gs, KEY_9, false);
    game_step(gs, host, 20);
    key_event(gs, KEY_9, true);
    game_step(gs, host, 20);
    key_event(gs, KEY_9, false);
    EXPECT_EQ(gs.level_index, 2);
    EXPECT_EQ(gs.highest_level, 2);

    // Shift + 0 goes back once per press; Shift + F toggles the jump mode.
    key_event(gs, KEY_0, true);
    key_event(gs, key_letter('F'), true);
    game_step(gs, host, 20);
    game_step(gs, host, 20);
    EXPECT_EQ(gs.level_index, 1);
    EXPECT_FALSE(gs.inflate_mode);

    // Enter: single player.
    key_event(gs, KEY_ENTER, true);
    game_step(gs, host, 20);
    EXPECT_EQ(gs.player_count, 1);
}

} // namespace
