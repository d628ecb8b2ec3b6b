// Small file helpers shared by the asset tests: a scratch folder and TGA and WAV makers.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// A fresh folder under the system temp folder, removed when the object goes.
struct ScratchDir {
    std::filesystem::path path;
    ScratchDir();
    ~ScratchDir();
    std::string file(const std::string& name) const { return (path / name).string(); }
};

void write_bytes(const std::string& path, const std::vector<uint8_t>& bytes);
std::vector<uint8_t> read_bytes(const std::string& path);

// An uncompressed TGA: the 18-byte header, then `pixels` as given (B, G, R(, A) order).
std::vector<uint8_t> make_tga(uint16_t width, uint16_t height, uint8_t bits,
                              const std::vector<uint8_t>& pixels);

// A mono 16-bit PCM WAV holding a sine of `hz` for `seconds`.
std::vector<uint8_t> make_sine_wav(int rate, double hz, double seconds, int amplitude);
