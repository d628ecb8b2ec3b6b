#include "game/player_image.h"
#include "level/safe_file.h"
#include "test_world.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>

namespace {

LevelData level_with_blobs(int n) {
    LevelData l;
    l.ground = {gp(-50, -2), gp(50, -2)};
    l.base = {BasePoint{}, BasePoint{}};
    for (int b = 0; b < n; ++b)
        l.blobs.push_back(blob_at(float(10 * b), 20));
    return l;
}

struct SaveWorld {
    TempDir dir{"glimbo_quick"};
    FakeHost host;
    GameState make(int mice) {
        for (int n = 1; n <= 3; ++n)
            dir.write_level(n, level_with_blobs(n == 3 ? 5 : 1));
        GameState gs;
        init_game_state(gs, mice);
        gs.files_dir = dir.path.string();
        gs.level_index = 2;
        reset_level(gs, host);
        return gs;
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

uint32_t u32_at(const std::vector<uint8_t>& v, size_t at) {
    return uint32_t(v[at]) | uint32_t(v[at + 1]) << 8 | uint32_t(v[at + 2]) << 16 |
           uint32_t(v[at + 3]) << 24;
}

TEST(QuickSave, LayoutAndLoadIntoFewerPlayers) {
    SaveWorld w;
    GameState gs = w.make(2);
    gs.players[0].x = 12.5f;
    gs.players[1].x = -3;
    gs.players[0].ropes[1].anchor = {AnchorKind::player, 1};
    gs.level.blobs[1].present = 0;
    gs.level.blobs[3].present = 0;
    ASSERT_TRUE(quick_save(gs));
    const std::vector<uint8_t> f = w.file();
    ASSERT_EQ(f.size(), 1624u);
    EXPECT_EQ(std::vector<uint8_t>(f.begin(), f.begin() + 8),
              (std::vector<uint8_t>{2, 0, 0, 0, 2, 0, 0, 0}));
    EXPECT_EQ(std::bit_cast<float>(u32_at(f, 8)), 12.5f);
    EXPECT_EQ(std::bit_cast<float>(u32_at(f, 8 + 768)), -3.0f);
    EXPECT_EQ(std::bit_cast<float>(u32_at(f, 8 + 16)), 1.0f); // radius
    EXPECT_EQ(u32_at(f, 8 + 288 + 24), 2u);                   // anchor kind: player
    EXPECT_EQ(u32_at(f, 8 + 288 + 28), 1u);                   // anchor index
    EXPECT_EQ(f[8 + 728 + 3], 1);                             // button_ready[0]
    EXPECT_EQ(f[8 + 1536 + 16 + 8], 0);                       // blob 1 collected
    EXPECT_EQ(f[8 + 1536 + 32 + 8], 1);

    // Load after "single player": player 0 and all five blobs come back.
    gs.player_count = 1;
    gs.players[0].x = 99;
    gs.players[1].x = 55;
    gs.level_index = 0;
    quick_load(gs, w.host);
    EXPECT_EQ(gs.level_index, 2);
    EXPECT_FLOAT_EQ(gs.players[0].x, 12.5f);
    EXPECT_FLOAT_EQ(gs.players[1].x, 55); // not simulated: untouched
    ASSERT_EQ(gs.level.blobs.size(), 5u);
    EXPECT_EQ(gs.level.blobs[1].present, 0);
    EXPECT_EQ(gs.level.blobs[2].present, 1);
    EXPECT_EQ(gs.level.blobs[3].present, 0);
    EXPECT_FALSE(gs.playing);
}

TEST(QuickSave, HooksSurviveIntoAFreshWorld) {
    SaveWorld w;
    GameState gs = w.make(2);
    Player& p = gs.players[0];
    p.button_down = {1, 1, 0};
    p.button_ready = {0, 0, 1};
    p.ropes[0] = Rope{};
    p.ropes[0].attached = 1;
    p.ropes[0].anchor = {AnchorKind::sheep, 150};
    p.ropes[0].segment_length = 1.5f;
    p.ropes[0].node_weight = 0.4f;
    p.ropes[0].anchor_weight = 0.01f;
    p.ropes[1] = p.ropes[0];
    p.ropes[1].anchor = {AnchorKind::player, 1};
    p.ropes[1].nodes[10] = {1, 2, 3, 4};
    p.jump_key = 0x20;
    ASSERT_TRUE(quick_save(gs));

    SaveWorld& same_files = w;
    GameState fresh;
    init_game_state(fresh, 2);
    fresh.files_dir = same_files.dir.path.string();
    quick_load(fresh, w.host);
    const Player& q = fresh.players[0];
    EXPECT_EQ(q.ropes[0].attached, 1);
    EXPECT_EQ(q.ropes[0].anchor.kind, AnchorKind::sheep);
    EXPECT_EQ(q.ropes[0].anchor.index, 150);
    EXPECT_EQ(q.ropes[1].anchor.kind, AnchorKind::player);
    EXPECT_EQ(q.ropes[1].anchor.index, 1);
    EXPECT_FLOAT_EQ(q.ropes[1].nodes[10].prev_y, 4);
    EXPECT_EQ(q.jump_key, 0x20);
    EXPECT_EQ(q.button_down[1], 1);

    // Both ropes keep working: the sheep is pulled towards the ball.
    fresh.playing = true;
    const float before = fresh.flock[150].x - q.x;
    game_step(fresh, w.host, 20);
    EXPECT_EQ(q.ropes[0].attached, 1);
    EXPECT_EQ(q.ropes[1].attached, 1);
    EXPECT_LT(std::fabs(fresh.flock[150].x - q.x), std::fabs(before));
}

TEST(QuickSave, DamagedAndTruncatedFiles) {
    SaveWorld w;
    GameState gs = w.make(2);

    // No file: nothing changes, not even the camera.
    const float camera = gs.camera_x;
    quick_load(gs, w.host);
    EXPECT_EQ(gs.camera_x, camera);

    Player bad;
    bad.x = 7;
    bad.ropes[0].attached = 1;
    bad.ropes[0].anchor = {AnchorKind::sheep, 500};
    bad.ropes[1].attached = 1;
    bad.ropes[1].anchor = {AnchorKind::player, 7}; // only 4 records exist
    ByteWriter bw;
    write_i32(bw, 0);
    write_i32(bw, 2);
    write_player_image(bw, bad);
    write_player_image(bw, bad);
    bw.bytes.resize(8 + 768 + 500); // the second record is cut short
    w.write(bw.bytes);
    gs.players[1].x = 42;
    quick_load(gs, w.host);
    EXPECT_EQ(gs.level_index, 0);
    EXPECT_FLOAT_EQ(gs.players[0].x, 7);
    EXPECT_EQ(gs.players[0].ropes[0].attached, 0);
    EXPECT_EQ(gs.players[0].ropes[1].attached, 0);
    EXPECT_FLOAT_EQ(gs.players[1].x, 2); // as the reset left it
    EXPECT_FLOAT_EQ(gs.players[1].y, -1);

    // A record holding a NaN is refused whole; a huge count just ends the file.
    bad.radius = std::numeric_limits<float>::quiet_NaN();
    ByteWriter nan_file;
    write_i32(nan_file, 1);
    write_i32(nan_file, 0x7FFFFFFF);
    write_player_image(nan_file, bad);
    w.write(nan_file.bytes);
    quick_load(gs, w.host);
    EXPECT_EQ(gs.level_index, 1);
    EXPECT_FLOAT_EQ(gs.players[0].x, 0);
    EXPECT_FLOAT_EQ(gs.players[0].radius, 1);

    // A negative level number names no level: the save is ignored.
    w.write({0xFF, 0xFF, 0xFF, 0xFF, 1, 0, 0, 0});
    quick_load(gs, w.host);
    EXPECT_EQ(gs.level_index, 1);

    // The largest level number names a file that cannot exist: game over, level 1 again.
    w.write({0xFF, 0xFF, 0xFF, 0x7F, 0, 0, 0, 0});
    w.host.messages.clear();
    quick_load(gs, w.host);
    EXPECT_EQ(gs.level_index, 0);
    ASSERT_EQ(w.host.messages.size(), 1u);
    EXPECT_EQ(w.host.messages[0].caption, "game complete");

    // A save that cannot be written reports it.
    gs.files_dir = (w.dir.path / "no" / "such" / "folder").string();
    EXPECT_FALSE(quick_save(gs));
}

TEST(PlayerImage, EveryFieldRoundTrips) {
    Player p;
    float v = 0.5f;
    for (float* f :
         {&p.x, &p.y, &p.prev_x, &p.prev_y, &p.radius, &p.aim_x, &p.aim_y, &p.pointer_x,
          &p.pointer_y, &p.pointer_dx, &p.pointer_dy, &p.wheel, &p.contact_timer, &p.roll_angle})
        *f = v += 1;
    for (Rope& r : p.ropes) {
        for (float* f : {&r.anchor_x, &r.anchor_y, &r.hit_distance, &r.segment_length,
                         &r.node_weight, &r.anchor_weight, &r.hit_x, &r.hit_y})
            *f = v += 1;
        for (RopeNode& n : r.nodes)
            n = {v += 1, v += 1, v += 1, v += 1};
        r.rigid = 1;
        r.attached = 1;
        r.anchor = {AnchorKind::player, 3};
    }
    p.in_contact = 1;
    p.was_in_contact = 1;
    p.button_down = {1, 0, 1};
    p.button_ready = {0, 1, 1};
    p.roll_held = 1;
    p.jump_key = 11;
    p.roll_key = 12;
    p.rigid_key = 13;
    p.nearest_blob = 14;

    ByteWriter w;
    write_player_image(w, p);
    ASSERT_EQ(w.bytes.size(), PLAYER_IMAGE_BYTES);
    EXPECT_EQ(std::bit_cast<float>(u32_at(w.bytes, 56)), p.contact_timer);
    EXPECT_EQ(w.bytes[62], 1);
    EXPECT_EQ(u32_at(w.bytes, 764), 14u);
    EXPECT_EQ(std::bit_cast<float>(u32_at(w.bytes, 68 + 44 + 160 + 12)),
              p.ropes[0].nodes[10].prev_y);

    Player q;
    ByteReader r{w.bytes};
    ASSERT_TRUE(read_player_image(r, q, 4));
    ByteWriter again;
    write_player_image(again, q);
    EXPECT_EQ(again.bytes, w.bytes);
    ByteReader short_reader{std::span(w.bytes).first(767)};
    EXPECT_FALSE(read_player_image(short_reader, q, 4));
    // Sums of such positions would overflow to infinity: refused like NaN.
    p.ropes[2].nodes[3].x = 1e30f;
    ByteWriter huge;
    write_player_image(huge, p);
    ByteReader huge_reader{huge.bytes};
    EXPECT_FALSE(read_player_image(huge_reader, q, 4));
}

} // namespace
