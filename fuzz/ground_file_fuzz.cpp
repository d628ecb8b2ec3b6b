// The prototypes' ground reader ("MyGame.svg"). A refused file leaves the ground as it was;
// an accepted one holds only finite points, is written back and read back the same, and
// both prototypes play on it for 300 steps with every position finite.
#include "fuzz/fuzz_check.h"
#include "level/mygame_file.h"
#include "mygame1/hopper.h"
#include "mygame2/swinger.h"
#include "platform/random.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace {

constexpr int STEPS = 300;
// Sheep kept of each prototype's flock: every sheep runs the same code against the ground,
// and their pairwise pushes would otherwise dominate a run.
constexpr size_t SHEEP_KEPT = 4;

bool within(int step, int from, int to) {
    return step >= from && step < to;
}

// The script both prototypes play: walk right, then left, jump now and then, swing the
// stick or fire the grapple (a rod with Shift) at a pointer moved up and to either side.
FrameInput script(std::array<int32_t, 256>& keys, int s) {
    keys.fill(0);
    keys[KEY_RIGHT] = within(s, 0, 150);
    keys[KEY_LEFT] = within(s, 150, 300);
    keys[KEY_SPACE] = within(s, 40, 45) || within(s, 200, 205);
    keys[KEY_UP] = within(s, 90, 110);
    keys[KEY_DOWN] = within(s, 250, 260);
    keys[KEY_SHIFT] = within(s, 170, 300);
    FrameInput in;
    in.keys = keys.data();
    in.left_button = within(s, 60, 140) || within(s, 180, 280);
    in.right_button = within(s, 120, 130) || within(s, 285, 300);
    in.cursor_x = CURSOR_HOME_X + (s == 55 ? 300 : s == 175 ? -500 : 0);
    in.cursor_y = CURSOR_HOME_Y - (s == 55 || s == 175 ? 200 : 0);
    return in;
}

void check_mass(const Mass& m, const std::string& what) {
    FUZZ_CHECK(all_finite({m.x, m.y, m.px, m.py}), what.c_str());
}

void check_sheep(const std::vector<Sheep>& sheep, const std::string& at) {
    for (const Sheep& s : sheep)
        check_mass(s.body, "a sheep" + at);
}

void play_hopper(const MyGameData& ground) {
    random_reset();
    HopperWorld w = make_hopper_world();
    w.sheep.resize(SHEEP_KEPT);
    w.ground = ground;
    std::array<int32_t, 256> keys{};
    for (int s = 0; s < STEPS; ++s) {
        hopper_step(w, script(keys, s));
        const std::string at = " of the hopper stopped being finite at step " + std::to_string(s);
        const Creature& c = w.creature;
        for (const Mass* m : {&c.head, &c.foot, &c.handle, &c.ball})
            check_mass(*m, "the creature" + at);
        check_sheep(w.sheep, at);
        FUZZ_CHECK(all_finite({w.camera_x, w.pointer.x, w.pointer.y}), ("the camera" + at).c_str());
    }
}

void play_swinger(const MyGameData& ground) {
    random_reset();
    SwingerWorld w = make_swinger_world();
    w.sheep.resize(SHEEP_KEPT);
    w.ground = ground;
    std::array<int32_t, 256> keys{};
    for (int s = 0; s < STEPS; ++s) {
        swinger_step(w, script(keys, s));
        const std::string at = " of the swinger stopped being finite at step " + std::to_string(s);
        check_mass(w.player, "the player" + at);
        const Grapple& g = w.grapple;
        FUZZ_CHECK(all_finite({g.anchor.x, g.anchor.y, g.segment_length}),
                   ("the grapple" + at).c_str());
        for (const RopePoint& r : g.points)
            FUZZ_CHECK(all_finite({r.x, r.y, r.px, r.py}), ("the rope" + at).c_str());
        check_sheep(w.sheep, at);
        FUZZ_CHECK(all_finite({w.camera_x, w.pointer.x, w.pointer.y}), ("the camera" + at).c_str());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    MyGameData ground = mygame_start_ground();
    const std::vector<uint8_t> before = encode_mygame(ground);
    const MyGameReadResult result = parse_mygame(bytes, ground);
    if (result.status != MyGameReadStatus::ok) {
        FUZZ_CHECK(result.status == MyGameReadStatus::damaged && !result.error.empty(),
                   "a refused ground gives no reason");
        FUZZ_CHECK(encode_mygame(ground) == before,
                   "a refused ground changed the ground in memory");
        return 0;
    }
    FUZZ_CHECK(result.error.empty(), "an accepted ground carries an error");
    FUZZ_CHECK(ground.top.size() == ground.bottom.size(), "top and bottom lines differ in length");
    for (size_t i = 0; i < ground.top.size(); ++i)
        FUZZ_CHECK(
            all_finite({ground.top[i].x, ground.top[i].y, ground.bottom[i].x, ground.bottom[i].y}),
            "an accepted ground point is not finite");

    // Every coordinate came from the file as stored (the magic and spare words aside).
    const std::vector<uint8_t> written = encode_mygame(ground);
    FUZZ_CHECK(written.size() <= bytes.size(), "the ground holds more points than the file");
    for (size_t at = 4; at < written.size(); ++at)
        if (at < MYGAME_HEADER_BYTES || (at - MYGAME_HEADER_BYTES) % MYGAME_POINT_BYTES < 8)
            FUZZ_CHECK(written[at] == bytes[at], "a ground field differs from the file");

    MyGameData again = mygame_start_ground();
    FUZZ_CHECK(parse_mygame(written, again).status == MyGameReadStatus::ok,
               "the written ground is refused");
    FUZZ_CHECK(encode_mygame(again) == written, "the written ground reads back changed");

    play_hopper(ground);
    play_swinger(ground);
    return 0;
}
