// The sound calls on SDL's disk audio driver: samples and music reach the mixed stream.
#include "assets/sound.h"
#include "test_files.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

// Loudest 16-bit sample in bytes [from, end) of the captured stream.
int loudest(const std::vector<uint8_t>& pcm, size_t from) {
    int peak = 0;
    for (size_t i = from & ~size_t(1); i + 1 < pcm.size(); i += 2) {
        peak = std::max(peak, std::abs(int(int16_t(pcm[i] | pcm[i + 1] << 8))));
    }
    return peak;
}

// Waits (polling, with a generous deadline) until `done` holds for the captured file.
template <class Done> bool wait_for_capture(const std::string& path, Done done) {
    const auto deadline = Clock::now() + std::chrono::seconds(60);
    while (Clock::now() < deadline) {
        if (done(read_bytes(path))) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

// 16-bit stereo at 44100 Hz.
constexpr size_t BYTES_PER_SECOND = 44100 * 4;

class SoundTest : public ::testing::Test {
  protected:
    void TearDown() override { FSOUND_Close(); }
    void use_driver(const char* driver) { setenv("SDL_AUDIODRIVER", driver, 1); }
    // The disk driver, writing the mixed stream to `capture`; opens the sound system.
    void open_disk() {
        use_driver("disk");
        setenv("SDL_DISKAUDIOFILE", capture.c_str(), 1);
        ASSERT_TRUE(FSOUND_Init(44100, 32, 0));
    }
    std::string sine_file() {
        const std::string path = dir.file("sine.wav");
        write_bytes(path, make_sine_wav(22050, 440, 0.5, 12000));
        return path;
    }
    ScratchDir dir;
    const std::string capture = dir.file("capture.raw");
};

TEST_F(SoundTest, PlayedSampleReachesTheCapturedAudio) {
    open_disk();
    SoundSample sine = FSOUND_Sample_Load(0, sine_file().c_str(), 0, 0, 0);
    ASSERT_TRUE(sine);
    // Before anything plays, the device mixes silence.
    ASSERT_TRUE(wait_for_capture(capture, [](const std::vector<uint8_t>& pcm) {
        return pcm.size() >= BYTES_PER_SECOND / 5;
    }));
    const size_t before = read_bytes(capture).size();
    EXPECT_EQ(loudest(read_bytes(capture), 0), 0);
    ASSERT_EQ(FSOUND_PlaySound(0, sine), 0);
    EXPECT_TRUE(wait_for_capture(
        capture, [&](const std::vector<uint8_t>& pcm) { return loudest(pcm, before) > 6000; }));
    FSOUND_Close();
}

} // namespace
