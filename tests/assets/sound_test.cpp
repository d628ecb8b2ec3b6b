// The sound calls on SDL's disk audio driver: samples and music reach the mixed stream.
#include "assets/sound.h"
#include "test_files.h"

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

// Appends `n` bytes of `v`, least significant first, or the characters of `s`.
void put(std::vector<uint8_t>& b, uint32_t v, int n) {
    for (int i = 0; i < n; ++i)
        b.push_back(uint8_t(v >> 8 * i));
}
void put(std::vector<uint8_t>& b, const std::string& s) { b.insert(b.end(), s.begin(), s.end()); }

// A mono 16-bit PCM WAV of half a second of 440 Hz at 22050 Hz.
std::vector<uint8_t> sine_wav() {
    const uint32_t rate = 22050, frames = rate / 2;
    std::vector<uint8_t> b;
    put(b, "RIFF");
    put(b, 36 + frames * 2, 4);
    put(b, "WAVEfmt ");
    put(b, 16, 4);
    put(b, 1, 2); // PCM
    put(b, 1, 2); // mono
    put(b, rate, 4);
    put(b, rate * 2, 4);
    put(b, 2, 2);
    put(b, 16, 2);
    put(b, "data");
    put(b, frames * 2, 4);
    for (uint32_t i = 0; i < frames; ++i)
        put(b, uint16_t(int16_t(std::lround(12000 * std::sin(2 * M_PI * 440 * i / rate)))), 2);
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
    write_bytes(dir.file("sine.wav"), sine_wav());
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", capture.c_str(), 1);
    ASSERT_TRUE(FSOUND_Init(44100, 32, 0));
    SoundSample sine = FSOUND_Sample_Load(0, dir.file("sine.wav").c_str(), 0, 0, 0);
    ASSERT_TRUE(sine);
    // Before anything plays, the device mixes silence.
    ASSERT_TRUE(wait_for_capture(capture, [](const std::vector<uint8_t>& pcm) {
        return pcm.size() >= 44100 * 4 / 5;
    }));
    const size_t before = read_bytes(capture).size();
    EXPECT_EQ(loudest(read_bytes(capture), 0), 0);
    ASSERT_EQ(FSOUND_PlaySound(0, sine), 0);
    EXPECT_TRUE(wait_for_capture(
        capture, [&](const std::vector<uint8_t>& pcm) { return loudest(pcm, before) > 6000; }));
    FSOUND_Close();
}

} // namespace
