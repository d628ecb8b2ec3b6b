#include "glimbo/player_image.h"
#include "level/byte_io.h"
#include "test_world.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <functional>

namespace {

// Levels 1 and 2 with a blob each, level 3 with five.
struct SaveWorld {
    TempDir dir{"glimbo_quick"};
    FakeHost host;
    SaveWorld() {
        for (int n = 1; n <= 3; ++n)
            dir.write_level(n, flat_level(std::vector<Blob>(n == 3 ? 5 : 1, Blob{9, 20})));
    }
};

float f32_at(const std::vector<uint8_t>& v, size_t at) {
    return std::bit_cast<float>(uint32_t(v[at]) | uint32_t(v[at + 1]) << 8 |
                                uint32_t(v[at + 2]) << 16 | uint32_t(v[at + 3]) << 24);
}

TEST(QuickSave, LayoutAndLoadIntoFewerPlayers) {
    SaveWorld w;
    GameState gs = w.dir.start(w.host, 2, 2);
    gs.players[0].x = 12.5f, gs.players[1].x = -3;
    gs.players[0].ropes[1].anchor = {AnchorKind::player, 1};
    gs.level.blobs[1].present = gs.level.blobs[3].present = 0;
    const std::vector<uint8_t> f = encode_quick_save(gs);
    ASSERT_EQ(f.size(), 1624u);
    EXPECT_EQ(std::vector<uint8_t>(f.begin(), f.begin() + 8),
              (std::vector<uint8_t>{2, 0, 0, 0, 2, 0, 0, 0}));
    EXPECT_EQ(f32_at(f, 8), 12.5f);
    EXPECT_EQ(f32_at(f, 8 + 768), -3.0f);
    EXPECT_EQ(f32_at(f, 8 + 16), 1.0f);                  // radius
    EXPECT_EQ(f[8 + 288 + 24] + f[8 + 288 + 28], 2 + 1); // anchor: player 1
    EXPECT_EQ(f[8 + 731], 1);                            // button_ready[0]
    EXPECT_EQ(f[8 + 1536 + 16 + 8], 0);                  // blob 1 collected

    ASSERT_TRUE(quick_save(gs));
    gs.player_count = 1; // "single player", then load
    gs.players[0].x = 99, gs.players[1].x = 55, gs.level_index = 0;
    quick_load(gs, w.host);
    EXPECT_EQ(gs.level_index, 2);
    EXPECT_FLOAT_EQ(gs.players[0].x, 12.5f);
    EXPECT_FLOAT_EQ(gs.players[1].x, 55);
    EXPECT_EQ(gs.level.blobs[1].present + gs.level.blobs[2].present * 2 +
                  gs.level.blobs[3].present * 4,
              2);
}

// Everything a quick load may change, as bytes.
std::vector<uint8_t> state_of(const GameState& gs) {
    ByteWriter w{encode_quick_save(gs)};
    for (float f : {gs.camera_x, gs.camera_y, gs.flock[0].x, gs.flock[199].y})
        write_f32(w, f);
    const std::vector<uint8_t> level = encode_level(gs.level);
    w.bytes.insert(w.bytes.end(), level.begin(), level.end());
    return w.bytes;
}

// No file, or a damaged save of level 1, changes nothing at all in the game on level 2:
// level, players, blobs, camera and flock stay, and no message is shown. A save that just
// ends early loads what it has.
TEST(QuickSave, MissingDamagedShortAndUnwritableFiles) {
    SaveWorld w;
    GameState gs = w.dir.start(w.host, 2, 1);
    gs.players[0].x = 4;
    const std::vector<uint8_t> before = state_of(gs);
    quick_load(gs, w.host);
    EXPECT_TRUE(state_of(gs) == before);
    const std::function<void(GameState&)> damages[] = {
        [](GameState& s) { s.level.blobs[0].y = NAN; },
        [](GameState& s) { s.level.blobs[0].x = INFINITY; },
        [](GameState& s) { s.level.blobs[0].y = -INFINITY; },
        [](GameState& s) { s.players[1].ropes[0].anchor_weight = 2.5f; }, // beyond any share
        [](GameState& s) { s.players[1].ropes[0].node_weight = -0.5f; },
        [](GameState& s) { s.players[0].radius = NAN; },
        [](GameState& s) { s.players[1].ropes[2].nodes[3].x = 1e30f; },
        [](GameState& s) { s.level_index = -1; },
    };
    for (size_t k = 0; k < std::size(damages); ++k) {
        GameState saved = w.dir.start(w.host, 2, 0);
        damages[k](saved);
        EXPECT_FALSE(load_quick_save(gs, w.host, encode_quick_save(saved))) << k;
        EXPECT_TRUE(state_of(gs) == before) << k;
    }
    EXPECT_TRUE(w.host.messages.empty());

    Player saved;
    saved.x = 7;
    saved.ropes[0].attached = saved.ropes[1].attached = 1;
    saved.ropes[0].anchor = {AnchorKind::sheep, 500};
    saved.ropes[1].anchor = {AnchorKind::player, 7}; // 4 records exist
    ByteWriter bw;
    write_i32(bw, 0);
    write_i32(bw, 2);
    write_player_image(bw, saved);
    write_player_image(bw, saved);
    bw.bytes.resize(8 + 768 + 500); // the second record is cut short
    EXPECT_TRUE(load_quick_save(gs, w.host, bw.bytes));
    EXPECT_EQ(gs.level_index, 0);
    EXPECT_FLOAT_EQ(gs.players[0].x, 7);
    EXPECT_EQ(gs.players[0].ropes[0].attached + gs.players[0].ropes[1].attached, 0);
    EXPECT_FLOAT_EQ(gs.players[1].x, 2); // as the reset left it

    bw.bytes = {1, 0, 0, 0, 0, 0, 0, 0}; // no players, then a far but finite blob: it applies
    write_blob(bw, Blob{9, 1e30f, 0});
    EXPECT_TRUE(load_quick_save(gs, w.host, bw.bytes));
    EXPECT_EQ(gs.level_index, 1);
    EXPECT_EQ(gs.level.blobs[0], (Blob{9, 1e30f, 0}));
    bw.bytes = {0xFF, 0xFF, 0xFF, 0x7F}; // no such level: game complete, level 1
    EXPECT_TRUE(load_quick_save(gs, w.host, bw.bytes));
    EXPECT_EQ(gs.level_index, 0);
    EXPECT_EQ(w.host.messages.back().first, "game complete");

    gs.files_dir = (w.dir.path / "no" / "such").string();
    EXPECT_FALSE(quick_save(gs));
}

} // namespace
