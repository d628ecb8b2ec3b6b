// The sound library of the games: samples on numbered channels and a looping music module,
// mixed by SDL2_mixer. Without an audio device every call quietly does nothing.
//
// Handles are small records; an empty one (id 0) plays nothing. Closing the library frees
// every sample and song and makes the old handles empty in effect, so a handle kept past a
// close can never reach freed memory.
#pragma once

#include <cstdint>

struct SoundSample {
    uint32_t id = 0;
    explicit operator bool() const { return id != 0; }
};

struct MusicSong {
    uint32_t id = 0;
    explicit operator bool() const { return id != 0; }
};

constexpr int FSOUND_FREE = -1;         // a sample index or channel: take any free one
constexpr int FSOUND_ALL = -3;          // FSOUND_StopSound: every channel
constexpr int SOUND_MAX_SAMPLES = 1024; // sample indices 0..1023
constexpr int SOUND_MAX_CHANNELS = 256;

// Opens the audio device at `mixrate` Hz with `max_channels` numbered channels (0 to
// max_channels - 1). The audio subsystem is started on its own, so a missing audio driver
// never affects the window. Returns false (and stays silent) when no device opens. Calling
// it again while open keeps what is loaded and playing, and only sets the channel count.
bool FSOUND_Init(int mixrate, int max_channels, unsigned flags);

// Stops every channel and the music, frees every sample and song, closes the device.
void FSOUND_Close();

// Loads a WAV file into sample slot `index` (FSOUND_FREE: the first free slot), replacing
// and freeing what was there. mode, offset and length are accepted and ignored. Returns an
// empty handle when the library is closed, the index is out of range or the file is missing.
SoundSample FSOUND_Sample_Load(int index, const char* name, unsigned mode, int offset, int length);
void FSOUND_Sample_Free(SoundSample sample);

// Plays `sample` once on `channel` (FSOUND_FREE: any free one), cutting off what that
// channel was playing. Returns the channel used, or -1 when nothing plays.
int FSOUND_PlaySound(int channel, SoundSample sample);
// Stops one channel, or all with FSOUND_ALL.
bool FSOUND_StopSound(int channel);
bool FSOUND_IsPlaying(int channel);
int FSOUND_GetChannelsPlaying();

// Music: one tracker module (MOD) or any format the mixer reads. Songs loop by default.
MusicSong FMUSIC_LoadSong(const char* name);
bool FMUSIC_SetLooping(MusicSong song, bool looping);
bool FMUSIC_PlaySong(MusicSong song);
bool FMUSIC_StopSong(MusicSong song);
// Volume 0 (silent) to 256 (full).
bool FMUSIC_SetMasterVolume(MusicSong song, int volume);
bool FMUSIC_IsPlaying(MusicSong song);
bool FMUSIC_FreeSong(MusicSong song);
