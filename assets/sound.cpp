// The sound library over SDL2_mixer. Its state has one owner for the whole process, as the
// mixer itself does; handles carry the generation of the open library that made them.
#include "assets/sound.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <algorithm>
#include <vector>

namespace {

struct Song {
    Mix_Music* music = nullptr;
    bool looping = true;
    int volume = 256;
};

struct SoundLibrary {
    bool open = false;
    uint32_t generation = 1;         // 16 bits, never 0, bumped by every close
    std::vector<Mix_Chunk*> samples; // by slot
    std::vector<Song> songs;         // by slot
    uint32_t current_song = 0;       // id of the song last started
};

SoundLibrary& library() {
    static SoundLibrary lib;
    return lib;
}

constexpr int MAX_SONGS = 64;

uint32_t make_id(const SoundLibrary& lib, size_t slot) {
    return (lib.generation << 16) | uint32_t(slot + 1);
}

// Slot of a handle made by the library as it is now open, or -1 for an empty, stale or
// foreign handle.
int slot_of(const SoundLibrary& lib, uint32_t id, size_t slot_count) {
    if (!lib.open || id == 0 || (id >> 16) != lib.generation) {
        return -1;
    }
    const size_t slot = (id & 0xFFFF) - 1;
    return slot < slot_count ? int(slot) : -1;
}

Mix_Chunk* chunk_of(SoundSample sample) {
    SoundLibrary& lib = library();
    const int slot = slot_of(lib, sample.id, lib.samples.size());
    return slot < 0 ? nullptr : lib.samples[size_t(slot)];
}

Song* song_of(MusicSong song) {
    SoundLibrary& lib = library();
    const int slot = slot_of(lib, song.id, lib.songs.size());
    if (slot < 0 || !lib.songs[size_t(slot)].music) {
        return nullptr;
    }
    return &lib.songs[size_t(slot)];
}

int mixer_volume(int volume) {
    return std::clamp(volume, 0, 256) * MIX_MAX_VOLUME / 256;
}

} // namespace

bool FSOUND_Init(int mixrate, int max_channels, unsigned /*flags*/) {
    SoundLibrary& lib = library();
    const int channels = std::clamp(max_channels, 1, SOUND_MAX_CHANNELS);
    if (lib.open) {
        Mix_AllocateChannels(channels);
        return true;
    }
    // Its own subsystem: a failing audio driver leaves video (and the window) alone.
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        return false;
    }
    Mix_Init(MIX_INIT_MOD);
    const int rate = mixrate > 0 ? mixrate : MIX_DEFAULT_FREQUENCY;
    if (Mix_OpenAudio(rate, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    Mix_AllocateChannels(channels);
    lib.open = true;
    return true;
}

void FSOUND_Close() {
    SoundLibrary& lib = library();
    if (!lib.open) {
        return;
    }
    Mix_HaltChannel(-1);
    Mix_HaltMusic();
    for (Mix_Chunk* chunk : lib.samples) {
        if (chunk) {
            Mix_FreeChunk(chunk);
        }
    }
    for (Song& song : lib.songs) {
        if (song.music) {
            Mix_FreeMusic(song.music);
        }
    }
    lib.samples.clear();
    lib.songs.clear();
    lib.current_song = 0;
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    lib.open = false;
    // Handles of this opening go stale: their generation no longer matches.
    lib.generation = (lib.generation + 1) & 0xFFFF;
    if (lib.generation == 0) {
        lib.generation = 1;
    }
}

SoundSample FSOUND_Sample_Load(int index, const char* name, unsigned /*mode*/, int /*offset*/,
                               int /*length*/) {
    SoundLibrary& lib = library();
    // Samples are converted to the device's format, so there is nothing to load into
    // while the device is closed; a bad index or name is an empty handle.
    if (!lib.open || !name || index < FSOUND_FREE || index >= SOUND_MAX_SAMPLES) {
        return {};
    }
    size_t slot = size_t(index);
    if (index == FSOUND_FREE) {
        slot = size_t(std::find(lib.samples.begin(), lib.samples.end(), nullptr) -
                      lib.samples.begin());
        if (slot >= size_t(SOUND_MAX_SAMPLES)) {
            return {};
        }
    }
    if (slot >= lib.samples.size()) {
        lib.samples.resize(slot + 1, nullptr);
    }
    if (lib.samples[slot]) {
        Mix_FreeChunk(lib.samples[slot]);
        lib.samples[slot] = nullptr;
    }
    Mix_Chunk* chunk = Mix_LoadWAV(name);
    if (!chunk) {
        return {};
    }
    lib.samples[slot] = chunk;
    return SoundSample{make_id(lib, slot)};
}

void FSOUND_Sample_Free(SoundSample sample) {
    SoundLibrary& lib = library();
    const int slot = slot_of(lib, sample.id, lib.samples.size());
    if (slot >= 0 && lib.samples[size_t(slot)]) {
        Mix_FreeChunk(lib.samples[size_t(slot)]); // halts the channels that play it
        lib.samples[size_t(slot)] = nullptr;
    }
}

int FSOUND_PlaySound(int channel, SoundSample sample) {
    Mix_Chunk* chunk = chunk_of(sample);
    if (!chunk) {
        return -1; // an empty or stale handle plays nothing
    }
    // Only the numbered channels exist; other numbers play nothing.
    if (channel != FSOUND_FREE && (channel < 0 || channel >= Mix_AllocateChannels(-1))) {
        return -1;
    }
    return Mix_PlayChannel(channel, chunk, 0);
}

bool FSOUND_StopSound(int channel) {
    if (!library().open) {
        return false;
    }
    if (channel == FSOUND_ALL) {
        Mix_HaltChannel(-1);
        return true;
    }
    if (channel < 0 || channel >= Mix_AllocateChannels(-1)) {
        return false;
    }
    Mix_HaltChannel(channel);
    return true;
}

bool FSOUND_IsPlaying(int channel) {
    if (!library().open || channel < 0 || channel >= Mix_AllocateChannels(-1)) {
        return false;
    }
    return Mix_Playing(channel) != 0;
}

int FSOUND_GetChannelsPlaying() {
    return library().open ? Mix_Playing(-1) : 0;
}

MusicSong FMUSIC_LoadSong(const char* name) {
    SoundLibrary& lib = library();
    if (!lib.open || !name) {
        return {};
    }
    auto free_slot = std::find_if(lib.songs.begin(), lib.songs.end(),
                                  [](const Song& s) { return s.music == nullptr; });
    const size_t slot = size_t(free_slot - lib.songs.begin());
    // A bounded table: a program that loads songs in a loop without freeing them stops
    // getting new ones instead of growing without end.
    if (slot >= size_t(MAX_SONGS)) {
        return {};
    }
    Mix_Music* music = Mix_LoadMUS(name);
    if (!music) {
        return {};
    }
    if (slot == lib.songs.size()) {
        lib.songs.emplace_back();
    }
    lib.songs[slot] = Song{music, true, 256};
    return MusicSong{make_id(lib, slot)};
}

bool FMUSIC_SetLooping(MusicSong song, bool looping) {
    Song* s = song_of(song);
    if (!s) {
        return false;
    }
    s->looping = looping; // takes effect at the next start
    return true;
}

bool FMUSIC_PlaySong(MusicSong song) {
    Song* s = song_of(song);
    if (!s) {
        return false; // a song that did not load plays nothing
    }
    Mix_VolumeMusic(mixer_volume(s->volume));
    if (Mix_PlayMusic(s->music, s->looping ? -1 : 1) != 0) {
        return false;
    }
    library().current_song = song.id;
    return true;
}

bool FMUSIC_StopSong(MusicSong song) {
    if (!song_of(song)) {
        return false;
    }
    if (library().current_song == song.id) {
        Mix_HaltMusic();
        library().current_song = 0;
    }
    return true;
}

bool FMUSIC_SetMasterVolume(MusicSong song, int volume) {
    Song* s = song_of(song);
    if (!s) {
        return false;
    }
    s->volume = std::clamp(volume, 0, 256);
    if (library().current_song == song.id) {
        Mix_VolumeMusic(mixer_volume(s->volume));
    }
    return true;
}

bool FMUSIC_IsPlaying(MusicSong song) {
    return song_of(song) && library().current_song == song.id && Mix_PlayingMusic() != 0;
}

bool FMUSIC_FreeSong(MusicSong song) {
    Song* s = song_of(song);
    if (!s) {
        return false;
    }
    if (library().current_song == song.id) {
        library().current_song = 0;
    }
    Mix_FreeMusic(s->music); // halts it when it is the one playing
    s->music = nullptr;
    return true;
}
