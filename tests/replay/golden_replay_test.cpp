// The golden replays pin both games' physics bit for bit: replayed headless, every digest
// matches; recorded again from their script, they come out byte for byte; and a byte
// changed in a recorded level file shows up as the first differing step.
//
// The golden replays in data/ are the scripted runs below, recorded through the programs'
// own session code. After an intended change of the physics, remake them with
//   REPLAY_GOLDENS_OUT=$PWD/tests/replay/data build-test/tests/replay_tests
#include "glimbo/game.h"
#include "glimbo/replay_seam.h"
#include "level/file_access.h"
#include "physics/keys.h"
#include "platform/random.h"
#include "replay/headless.h"
#include "replay/quiet_host.h"
#include "replay/replay_reader.h"
#include "replay/session.h"
#include "ropegame/replay_seam.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>

namespace {

// Files kept in memory: the levels a run reads, and where its quick save goes.
struct MemoryFiles : FileAccess {
    std::map<std::string, std::vector<uint8_t>> files;
    FileReadStatus read(const std::string& path, std::vector<uint8_t>& bytes,
                        std::string& error) override {
        const auto it = files.find(path);
        bytes = it == files.end() ? std::vector<uint8_t>{} : it->second;
        error = it == files.end() ? path + ": no such file" : "";
        return it == files.end() ? FileReadStatus::cannot_open : FileReadStatus::ok;
    }
    bool write(const std::string& path, const std::vector<uint8_t>& bytes, std::string&) override {
        files[path] = bytes;
        return true;
    }
};

// Level 1 holds one blob where the players start, so the first play step finishes it.
std::vector<uint8_t> first_level() {
    LevelData level;
    level.ground = {{-40, -3, 1, SURFACE_GROUND}, {40, -3, 1, SURFACE_GROUND}};
    level.base = {{-40, -13}, {40, -13}};
    level.blobs = {{0, -1, 1, 1}};
    return encode_level(level);
}

// Level 2: slopes, ice, a spike pit and blobs, some within reach.
std::vector<uint8_t> second_level() {
    LevelData level;
    const float xs[] = {-60, -40, -10, 10, 25, 30, 60, 80};
    const float ys[] = {10, -3, -3, -3, -3, -3, 5, 20};
    const int32_t types[] = {SURFACE_GROUND, SURFACE_GROUND, SURFACE_ICE,    SURFACE_GROUND,
                             SURFACE_SPIKES, SURFACE_GROUND, SURFACE_GROUND, SURFACE_GROUND};
    for (int k = 0; k < 8; ++k) {
        level.ground.push_back({xs[k], ys[k], 1, types[k]});
        level.base.push_back({xs[k], ys[k] - 10});
    }
    level.blobs = {{8, -1, 1, 1}, {15, 0, 1, 1}, {50, 8, 1, 1}};
    return encode_level(level);
}

// Feeds a session the way the frame does: every mouse is reported on every mouse event.
struct Driver {
    ProgramSession& session;
    uint8_t buttons[2] = {};
    int steps_run = 0;

    void steps(int n) { // frames of 16 to 19 ms, and a stall now and then
        for (int i = 0; i < n; ++i, ++steps_run)
            session.update(steps_run % 97 == 50 ? 250 : 16 + uint32_t(steps_run % 4));
    }
    void key(int code, bool down) { session.key(uint32_t(code), down); }
    void tap(int code, int held_steps = 2) {
        key(code, true);
        steps(held_steps);
        key(code, false);
        steps(1);
    }
    void report(int mouse, int dx, int dy, int wheel = 0) {
        for (int i = 0; i < 2; ++i)
            session.mouse(i, i == mouse ? dx : 0, i == mouse ? dy : 0, i == mouse ? wheel : 0,
                          buttons[i] & 1, buttons[i] & 2, buttons[i] & 4);
    }
    void button(int mouse, uint8_t bit, bool down) {
        buttons[mouse] = uint8_t(down ? buttons[mouse] | bit : buttons[mouse] & ~bit);
        report(mouse, 0, 0);
    }
    void click(int mouse, int held_steps = 2) {
        button(mouse, 1, true);
        steps(held_steps);
        button(mouse, 1, false);
        steps(2);
    }
    // Rope 0 held out, paid out and in by the wheel.
    void wheel_rope() {
        button(0, 1, true);
        for (int wheel : {1, 1, -1, -1}) {
            steps(12);
            report(0, 3, 0, wheel);
        }
        button(0, 1, false);
    }
    // F1: the window is rebuilt and the level starts again, in the menu or on the title.
    void rebuild() {
        key(KEY_F1, true);
        session.start();
        key(KEY_F1, false);
        steps(5);
    }
};

// Moves player 0's pointer offset onto menu item `item` of glimbo's menu, then clicks.
void click_item(Driver& d, const GameState& gs, int item) {
    const MenuItem& m = gs.menu_items[size_t(item)];
    const Player& p = gs.players[0];
    d.report(0, int(std::lround((m.x - p.pointer_dx) * 10)),
             int(std::lround((p.pointer_dy - m.y) * 10)));
    d.steps(1);
    d.click(0);
}

template <class Script>
bool record_run(ReplayGame& seam, ReplayProgram program, const std::string& path,
                std::string& error, Script script) {
    random_reset();
    MemoryFiles files;
    files.files["levels/level1.svg"] = first_level();
    files.files["levels/level2.svg"] = second_level();
    QuietHost host;
    host.files = &files;
    ProgramSession session(seam, host, program);
    if (!session.record_to(path, error))
        return false;
    session.allocate(2);
    session.start();
    Driver d{session};
    d.steps(3);
    d.tap('L'); // the flock comes out
    script(d);
    std::ostringstream out, err;
    const bool ok = session.finish(out, err) == 0;
    error = err.str();
    return ok;
}

bool record_glimbo_run(const std::string& path, std::string& error) {
    GameState gs;
    GlimboSeam seam(gs);
    return record_run(seam, ReplayProgram::glimbo, path, error, [&](Driver& d) {
        d.click(0); // "play": level 1 is finished at once, level 2 shows the menu
        d.steps(3);
        d.click(0); // "play" on level 2
        d.report(0, 100, 40);
        d.key('Q', true); // roll towards the pointer, jumping now and then
        for (int i = 0; i < 3; ++i) {
            d.steps(25);
            d.tap('W', 5);
        }
        d.key('Q', false);
        d.wheel_rope();
        d.report(1, -80, 0); // player 1 rolls the other way
        d.tap('T', 40);
        d.key('E', true); // a rigid rope
        d.click(0, 30);
        d.key('E', false);
        d.steps(40);
        d.rebuild();
        click_item(d, gs, 7); // "save game", "load game", then "play" from the loaded state
        click_item(d, gs, 8);
        click_item(d, gs, 0);
        d.key('Q', true);
        d.steps(120);
        d.key('Q', false);
        d.tap('M'); // the menu; Shift + 9 runs past the last level: level 1 again
        d.key(KEY_SHIFT, true);
        d.tap(KEY_9, 3);
        d.key(KEY_SHIFT, false);
        d.steps(30);
    });
}

bool record_ropegame_run(const std::string& path, std::string& error) {
    ropegame::World w;
    ropegame::Seam seam(w);
    return record_run(seam, ReplayProgram::ropegame, path, error, [&](Driver& d) {
        d.tap(KEY_SPACE); // play: level 1 is finished at once, level 2 shows the title
        d.steps(3);
        d.tap(KEY_SPACE); // play level 2 (Space also inflates)
        d.report(0, 60, 20);
        d.report(1, -60, 0);
        d.key('Q', true);
        d.key('O', true);
        d.steps(80);
        d.key('O', false);
        d.tap(KEY_SPACE, 6);
        d.steps(20);
        d.key('Q', false);
        d.wheel_rope();
        d.key(KEY_SHIFT, true); // a rigid rope on the second button
        d.button(0, 2, true);
        d.steps(40);
        d.button(0, 2, false);
        d.key(KEY_SHIFT, false);
        d.rebuild();
        d.tap(KEY_9);        // no level 3: the game is complete, level 1 again
        d.tap(KEY_ENTER, 3); // one player from here on: level 1 is finished again
        d.steps(40);
    });
}

struct Golden {
    const char* file;
    ReplayProgram program;
    bool (*record)(const std::string&, std::string&);
};

const Golden GOLDENS[] = {
    {"glimbo_run.glr", ReplayProgram::glimbo, record_glimbo_run},
    {"ropegame_run.glr", ReplayProgram::ropegame, record_ropegame_run},
};

std::string golden_path(const Golden& g) {
    return std::string(REPLAY_GOLDEN_DIR) + "/" + g.file;
}

// Replays headless into a fresh world of the golden's game; returns the exit code.
int replay(const Replay& r, std::string& out) {
    std::ostringstream text;
    GameState gs;
    GlimboSeam glimbo(gs);
    ropegame::World w;
    ropegame::Seam rope(w);
    ReplayGame& game =
        r.header.program == ReplayProgram::glimbo ? static_cast<ReplayGame&>(glimbo) : rope;
    const int code = run_headless_replay(r, game, text);
    out = text.str();
    return code;
}

// With REPLAY_GOLDENS_OUT set to a folder, the runs are recorded there instead of checked.
TEST(GoldenReplay, DigestsMatchTheScriptRecordsTheSameBytesAndAChangedLevelByteShows) {
    for (const Golden& g : GOLDENS) {
        SCOPED_TRACE(g.file);
        std::string error;
        if (const char* out = std::getenv("REPLAY_GOLDENS_OUT")) {
            EXPECT_TRUE(g.record(std::string(out) + "/" + g.file, error)) << error;
            continue;
        }
        Replay r;
        ASSERT_EQ(read_replay_file(golden_path(g), g.program, r).status, ReplayReadStatus::ok);
        ASSERT_GT(r.steps.size(), 250u);
        std::string out;
        EXPECT_EQ(replay(r, out), 0) << out;
        const std::string verdict =
            "all " + std::to_string(r.steps.size() / 100 + 1) + " digests match";
        EXPECT_NE(out.find(verdict), std::string::npos) << out;

        const auto again = std::filesystem::temp_directory_path() /
                           ("again_" + std::to_string(::getpid()) + "_" + g.file);
        ASSERT_TRUE(g.record(again.string(), error)) << error;
        std::vector<uint8_t> golden, recorded;
        ASSERT_EQ(read_whole_file(golden_path(g), golden, error), FileReadStatus::ok);
        ASSERT_EQ(read_whole_file(again.string(), recorded, error), FileReadStatus::ok);
        EXPECT_TRUE(golden == recorded) << "the script no longer records the golden run";
        // A recording that cannot be put in place says why.
        std::filesystem::remove(again);
        std::filesystem::create_directories(again / "in_the_way");
        EXPECT_FALSE(g.record(again.string(), error));
        EXPECT_EQ(error, "the recording failed: " + again.string() + ": Is a directory\n");
        std::filesystem::remove_all(again);

        // Level 2 is first read in the step that finishes level 1. Its byte 67 is the top
        // byte of ground point 3's y: the ground under the players drops from -3 to -12,
        // and the world differs, first seen by the digest of step 100.
        ReplayFileRead* level2 = nullptr;
        for (size_t s = 0; s < 100 && !level2; ++s)
            for (ReplayFileRead& f : r.steps[s].files)
                if (f.path == "levels/level2.svg" && !level2)
                    level2 = &f;
        ASSERT_NE(level2, nullptr);
        level2->bytes[67] ^= 0x01;
        EXPECT_EQ(replay(r, out), 1);
        EXPECT_NE(out.find("step 100: digest differs"), std::string::npos) << out;
        EXPECT_NE(out.find("first differs at step 100 ("), std::string::npos) << out;
    }
}

} // namespace
