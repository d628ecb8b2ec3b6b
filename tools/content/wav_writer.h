// Mono 16-bit PCM WAV files.
#pragma once

#include <cstdint>
#include <vector>

constexpr int WAV_RATE = 22050;

// Samples in [-1, 1] (clipped), one channel at WAV_RATE.
std::vector<uint8_t> encode_wav(const std::vector<float>& samples);
