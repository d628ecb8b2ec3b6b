// The synthesised sound effects: name (file name without folder) and samples.
#pragma once

#include <string>
#include <vector>

struct NamedSound {
    std::string name;           // e.g. "bing.wav"
    std::vector<float> samples; // mono, WAV_RATE, in [-1, 1]
};

// The nine game sounds for sounds/, in the order the game loads them.
std::vector<NamedSound> make_game_sounds();
// The earlier edition's one rope sound.
std::vector<float> make_rope_sound();
