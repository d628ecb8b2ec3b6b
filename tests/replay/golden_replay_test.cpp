// The golden replays pin both games' physics bit for bit: replayed headless, every digest
// matches; recorded again from their script, they come out byte for byte; and a byte
// changed in a recorded level file shows up as the first differing step.
#include "glimbo/replay_seam.h"
#include "level/safe_file.h"
#include "replay/headless.h"
#include "replay/replay_reader.h"
#include "ropegame/replay_seam.h"
#include "tests/replay/scripted_runs.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace {

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

TEST(GoldenReplay, DigestsMatchTheScriptRecordsTheSameBytesAndAChangedLevelByteShows) {
    for (const Golden& g : GOLDENS) {
        SCOPED_TRACE(g.file);
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
        std::string error;
        ASSERT_TRUE(g.record(again.string(), error)) << error;
        std::vector<uint8_t> golden, recorded;
        ASSERT_EQ(read_whole_file(golden_path(g), golden, error), FileReadStatus::ok);
        ASSERT_EQ(read_whole_file(again.string(), recorded, error), FileReadStatus::ok);
        EXPECT_TRUE(golden == recorded) << "the script no longer records the golden run";
        std::filesystem::remove(again);

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
