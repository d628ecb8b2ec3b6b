// The sound calls on SDL's dummy and disk audio drivers, and with no usable driver.
#include "assets/sound.h"
#include "test_files.h"

#include <SDL.h>
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

TEST_F(SoundTest, DummyDeviceLoadsAndPlaysOnNumberedChannels) {
    use_driver("dummy");
    ASSERT_TRUE(FSOUND_Init(44100, 32, 0));
    const std::string sine = sine_file();
    SoundSample bing = FSOUND_Sample_Load(1, sine.c_str(), 0, 0, 0);
    SoundSample thunk = FSOUND_Sample_Load(8, sine.c_str(), 0, 0, 0);
    ASSERT_TRUE(bing);
    ASSERT_TRUE(thunk);
    EXPECT_NE(bing.id, thunk.id);
    EXPECT_EQ(FSOUND_PlaySound(5, bing), 5);
    EXPECT_EQ(FSOUND_PlaySound(17, thunk), 17);
    EXPECT_TRUE(FSOUND_IsPlaying(5));
    EXPECT_FALSE(FSOUND_IsPlaying(6));
    EXPECT_EQ(FSOUND_PlaySound(5, thunk), 5); // cuts off what channel 5 played
    EXPECT_EQ(FSOUND_GetChannelsPlaying(), 2);
    // Channels that do not exist, and empty handles, play nothing.
    EXPECT_EQ(FSOUND_PlaySound(32, bing), -1);
    EXPECT_EQ(FSOUND_PlaySound(-2, bing), -1);
    EXPECT_EQ(FSOUND_PlaySound(0, SoundSample{0xFFFFFFFF}), -1);
    EXPECT_TRUE(FSOUND_StopSound(17));
    EXPECT_FALSE(FSOUND_IsPlaying(17));
    // A second start while open keeps everything.
    EXPECT_TRUE(FSOUND_Init(44100, 32, 0));
    EXPECT_TRUE(FSOUND_IsPlaying(5));
    FSOUND_Close();
    EXPECT_FALSE(FSOUND_IsPlaying(5));
    EXPECT_EQ(FSOUND_GetChannelsPlaying(), 0);
}

TEST_F(SoundTest, MissingFilesAndClosedOrFreedHandlesStaySilent) {
    use_driver("dummy");
    ASSERT_TRUE(FSOUND_Init(44100, 32, 0));
    SoundSample none = FSOUND_Sample_Load(1, dir.file("nothing.wav").c_str(), 0, 0, 0);
    EXPECT_FALSE(none);
    EXPECT_EQ(FSOUND_PlaySound(0, none), -1);
    EXPECT_FALSE(FSOUND_Sample_Load(SOUND_MAX_SAMPLES, sine_file().c_str(), 0, 0, 0));
    EXPECT_FALSE(FSOUND_Sample_Load(2, nullptr, 0, 0, 0));
    MusicSong song = FMUSIC_LoadSong(dir.file("music.mod").c_str());
    EXPECT_FALSE(song);
    EXPECT_FALSE(FMUSIC_SetLooping(song, true));
    EXPECT_FALSE(FMUSIC_PlaySong(song));
    EXPECT_FALSE(FMUSIC_IsPlaying(song));
    // Handles from before a close never play again.
    const std::string sine = sine_file();
    SoundSample old = FSOUND_Sample_Load(1, sine.c_str(), 0, 0, 0);
    ASSERT_TRUE(old);
    // Reloading into the same index frees the first sample and reuses the handle.
    SoundSample again = FSOUND_Sample_Load(1, sine.c_str(), 0, 0, 0);
    EXPECT_EQ(again.id, old.id);
    EXPECT_EQ(FSOUND_PlaySound(0, old), 0);
    FSOUND_Close();
    EXPECT_EQ(FSOUND_PlaySound(0, old), -1); // closed: silent
    ASSERT_TRUE(FSOUND_Init(44100, 32, 0));  // the restart after a window rebuild
    EXPECT_EQ(FSOUND_PlaySound(0, old), -1); // freed with the close, never touched
    SoundSample fresh = FSOUND_Sample_Load(1, sine.c_str(), 0, 0, 0);
    EXPECT_NE(fresh.id, old.id);
    EXPECT_EQ(FSOUND_PlaySound(0, fresh), 0);
    FSOUND_Sample_Free(fresh);
    EXPECT_EQ(FSOUND_PlaySound(0, fresh), -1);
    EXPECT_FALSE(FSOUND_IsPlaying(0));
}

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

TEST_F(SoundTest, ModuleMusicLoopsUntilStopped) {
    open_disk();
    write_bytes(dir.file("music.mod"), make_square_mod());
    MusicSong song = FMUSIC_LoadSong(dir.file("music.mod").c_str());
    ASSERT_TRUE(song);
    EXPECT_TRUE(FMUSIC_SetLooping(song, true));
    EXPECT_TRUE(FMUSIC_PlaySong(song));
    EXPECT_TRUE(FMUSIC_SetMasterVolume(song, 64));
    const size_t start = read_bytes(capture).size();
    // The song lasts 64 rows of 20 ms; well after two rounds it still sounds.
    const size_t later = start + BYTES_PER_SECOND * 3;
    EXPECT_TRUE(wait_for_capture(capture, [&](const std::vector<uint8_t>& pcm) {
        return pcm.size() >= later + BYTES_PER_SECOND / 2 && loudest(pcm, later) > 200;
    }));
    EXPECT_TRUE(FMUSIC_IsPlaying(song));
    EXPECT_TRUE(FMUSIC_StopSong(song));
    EXPECT_FALSE(FMUSIC_IsPlaying(song));
    EXPECT_TRUE(FMUSIC_FreeSong(song));
    EXPECT_FALSE(FMUSIC_PlaySong(song));
}

TEST_F(SoundTest, NoAudioDriverMeansSilenceAndTheWindowSurvives) {
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
    SDL_Window* window = SDL_CreateWindow("t", 0, 0, 32, 32, SDL_WINDOW_HIDDEN);
    ASSERT_NE(window, nullptr);
    use_driver("nonexistent");
    EXPECT_FALSE(FSOUND_Init(44100, 32, 0));
    SoundSample s = FSOUND_Sample_Load(1, sine_file().c_str(), 0, 0, 0);
    EXPECT_FALSE(s);
    EXPECT_EQ(FSOUND_PlaySound(0, s), -1);
    write_bytes(dir.file("music.mod"), make_square_mod());
    MusicSong song = FMUSIC_LoadSong(dir.file("music.mod").c_str());
    EXPECT_FALSE(song);
    EXPECT_FALSE(FSOUND_StopSound(FSOUND_ALL));
    FSOUND_Close();
    EXPECT_NE(SDL_WasInit(SDL_INIT_VIDEO), 0u);
    EXPECT_NE(SDL_GetWindowID(window), 0u);
    SDL_DestroyWindow(window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

} // namespace
