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

// A mono 16-bit PCM WAV of half a second at 22050 Hz: a square wave of 441 Hz.
std::vector<uint8_t> square_wav() {
    std::vector<uint8_t> b = {'R', 'I', 'F', 'F', 0x46, 0x56, 0, 0, 'W', 'A', 'V', 'E',
                              'f', 'm', 't', ' ', 16, 0, 0, 0, 1, 0, 1, 0,    // PCM, mono
                              0x22, 0x56, 0, 0, 0x44, 0xAC, 0, 0, 2, 0, 16, 0, // rates, bits
                              'd', 'a', 't', 'a', 0x22, 0x56, 0, 0};           // 22050 bytes
    for (int i = 0; i < 11025; ++i) {
        const int16_t v = (i / 25) % 2 ? 12000 : -12000;
        b.push_back(uint8_t(v & 0xFF));
        b.push_back(uint8_t(uint16_t(v) >> 8));
    }
    return b;
}

// Loudest 16-bit sample in bytes [from, end) of the captured stream.
int loudest(const std::vector<uint8_t>& pcm, size_t from) {
    int peak = 0;
    for (size_t i = from & ~size_t(1); i + 1 < pcm.size(); i += 2)
        peak = std::max(peak, std::abs(int(int16_t(pcm[i] | pcm[i + 1] << 8))));
    return peak;
}

// Waits (polling, with a generous deadline) until `done` holds for the captured file.
template <class Done> bool wait_for_capture(const std::string& path, Done done) {
    const auto deadline = Clock::now() + std::chrono::seconds(60);
    while (Clock::now() < deadline && !done(read_bytes(path)))
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    return done(read_bytes(path));
}

// SDL's disk driver writes the mixed stream, 16-bit stereo at 44100 Hz, to a file.
TEST(Sound, PlayedSampleReachesTheCapturedAudio) {
    ScratchDir dir;
    const std::string capture = dir.file("capture.raw");
    write_bytes(dir.file("square.wav"), square_wav());
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", capture.c_str(), 1);
    ASSERT_TRUE(FSOUND_Init(44100, 32, 0));
    SoundSample square = FSOUND_Sample_Load(0, dir.file("square.wav").c_str(), 0, 0, 0);
    ASSERT_TRUE(square);
    // Before anything plays, the device mixes silence.
    ASSERT_TRUE(wait_for_capture(capture, [](const std::vector<uint8_t>& pcm) {
        return pcm.size() >= 44100 * 4 / 5;
    }));
    const size_t before = read_bytes(capture).size();
    EXPECT_EQ(loudest(read_bytes(capture), 0), 0);
    ASSERT_EQ(FSOUND_PlaySound(0, square), 0);
    EXPECT_TRUE(wait_for_capture(
        capture, [&](const std::vector<uint8_t>& pcm) { return loudest(pcm, before) > 6000; }));
    FSOUND_Close();
}

} // namespace
