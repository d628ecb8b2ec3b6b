#include "glimbo/player_image.h"
#include "level/safe_file.h"
#include "test_world.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>

namespace {

struct SaveWorld {
    TempDir dir{"glimbo_quick"};
    FakeHost host;
    SaveWorld() {
        for (int n = 1; n <= 3; ++n)
            dir.write_level(n, flat_level(std::vector<Blob>(n == 3 ? 5 : 1, blob_at(9, 20))));
    }
    std::vector<uint8_t> file() const {
        std::vector<uint8_t> bytes;
        std::string error;
        read_whole_file((dir.path / "quicksave.sav").string(), bytes, error);
        return bytes;
    }
    void write(const std::vector<uint8_t>& bytes) const {
        std::string error;
        write_file_atomically((dir.path / "quicksave.sav").string(), bytes, error);
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
    ASSERT_TRUE(quick_save(gs));
    const std::vector<uint8_t> f = w.file();
    ASSERT_EQ(f.size(), 1624u);
    EXPECT_EQ(std::vector<uint8_t>(f.begin(), f.begin() + 8),
              (std::vector<uint8_t>{2, 0, 0, 0, 2, 0, 0, 0}));
    EXPECT_EQ(f32_at(f, 8), 12.5f);
    EXPECT_EQ(f32_at(f, 8 + 768), -3.0f);
    EXPECT_EQ(f32_at(f, 8 + 16), 1.0f);                  // radius
    EXPECT_EQ(f[8 + 288 + 24] + f[8 + 288 + 28], 2 + 1); // anchor: player 1
    EXPECT_EQ(f[8 + 731], 1);                            // button_ready[0]
    EXPECT_EQ(f[8 + 1536 + 16 + 8], 0);                  // blob 1 collected

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

TEST(QuickSave, DamagedAndTruncatedFiles) {
    SaveWorld w;
    GameState gs = w.dir.start(w.host, 2);
    const float camera = gs.camera_x;
    quick_load(gs, w.host); // no file: nothing at all happens
    EXPECT_EQ(gs.camera_x, camera);

    Player bad;
    bad.x = 7;
    bad.ropes[0].attached = bad.ropes[1].attached = 1;
    bad.ropes[0].anchor = {AnchorKind::sheep, 500};
    bad.ropes[1].anchor = {AnchorKind::player, 7}; // 4 records exist
    ByteWriter bw;
    write_i32(bw, 1);
    write_i32(bw, 2);
    write_player_image(bw, bad);
    write_player_image(bw, bad);
    bw.bytes.resize(8 + 768 + 500); // the second record is cut short
    w.write(bw.bytes);
    quick_load(gs, w.host);
    EXPECT_EQ(gs.level_index, 1);
    EXPECT_FLOAT_EQ(gs.players[0].x, 7);
    EXPECT_EQ(gs.players[0].ropes[0].attached + gs.players[0].ropes[1].attached, 0);
    EXPECT_FLOAT_EQ(gs.players[1].x, 2); // as the reset left it

    bad.radius = NAN; // the whole load is refused, as for 1e30
    bad.ropes[2].nodes[3].x = 1e30f;
    bw.bytes.clear();
    write_i32(bw, 0);
    write_i32(bw, 0x7FFFFFFF);
    write_player_image(bw, bad);
    w.write(bw.bytes);
    quick_load(gs, w.host);
    EXPECT_EQ(gs.level_index, 1);
    EXPECT_FLOAT_EQ(gs.players[0].x, 7);

    w.write({0xFF, 0xFF, 0xFF, 0xFF, 1, 0, 0, 0}); // negative level: ignored
    quick_load(gs, w.host);
    EXPECT_EQ(gs.level_index, 1);
    w.write({0xFF, 0xFF, 0xFF, 0x7F}); // no such level: game complete, level 1
    gs.level_index = 1;
    quick_load(gs, w.host);
    EXPECT_EQ(gs.level_index, 0);
    EXPECT_EQ(w.host.messages.back().first, "game complete");

    gs.files_dir = (w.dir.path / "no" / "such").string();
    EXPECT_FALSE(quick_save(gs));
}

} // namespace
