#include "level/byte_io.h"
#include "test_world.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Everything a quick load may change, as bytes.
std::vector<uint8_t> state_of(const GameState& gs) {
    ByteWriter w{encode_quick_save(gs)};
    for (float f : {gs.camera_x, gs.camera_y, gs.flock[0].x, gs.flock[199].y})
        write_f32(w, f);
    const std::vector<uint8_t> level = encode_level(gs.level);
    w.bytes.insert(w.bytes.end(), level.begin(), level.end());
    return w.bytes;
}

// A save of level 1 whose blob record 1 is not finite is refused whole: the game on level 2
// keeps its level, players, blobs, camera and flock, and no message is shown; so is one with
// a rope weight outside 0..2. The same save with the blob far away but finite is a blob like
// any other and loads.
TEST(QuickSaveDamage, NonFiniteBlobRecordRefusesTheWholeLoad) {
    TempDir dir{"glimbo_quick_damage"};
    FakeHost host;
    dir.write_level(1, flat_level({blob_at(9, 20), blob_at(-9, 20)}));
    dir.write_level(2, flat_level({blob_at(5, 5)}));
    GameState gs = dir.start(host, 2, 1);
    gs.players[0].x = 4;

    GameState saved = dir.start(host, 2, 0);
    saved.players[0].x = 12.5f;
    const struct {
        float blob_y, weight;
        bool loads;
    } cases[] = {{NAN, 2, false}, {INFINITY, 2, false}, {-INFINITY, 2, false},
                 {0, 2.5f, false}, // a rope weight beyond any share the game uses
                 {1e30f, 2, true}};
    for (const auto& c : cases) {
        saved.level.blobs[1].y = c.blob_y;
        saved.players[1].ropes[0].anchor_weight = c.weight;
        const std::vector<uint8_t> before = state_of(gs);
        EXPECT_EQ(load_quick_save(gs, host, encode_quick_save(saved)), c.loads) << c.blob_y;
        EXPECT_TRUE(c.loads || state_of(gs) == before) << c.blob_y << " " << c.weight;
    }
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(gs.level_index, 0);
    EXPECT_FLOAT_EQ(gs.players[0].x, 12.5f);
    EXPECT_EQ(gs.level.blobs[1].y, 1e30f);
}

} // namespace
