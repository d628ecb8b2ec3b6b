#include "test_files.h"

#include <atomic>
#include <cmath>
#include <cstring>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

ScratchDir::ScratchDir() {
    static std::atomic<int> counter{0};
    path = fs::temp_directory_path() /
           ("glimbo_assets_" + std::to_string(getpid()) + "_" + std::to_string(counter++));
    fs::remove_all(path);
    fs::create_directories(path);
}

ScratchDir::~ScratchDir() {
    std::error_code ignored;
    fs::remove_all(path, ignored);
}

void write_bytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

std::vector<uint8_t> read_bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

namespace {
// Appends `n` bytes of `v`, least significant first.
void put(std::vector<uint8_t>& b, uint32_t v, int n) {
    for (int i = 0; i < n; ++i) {
        b.push_back(uint8_t(v >> 8 * i));
    }
}
void put(std::vector<uint8_t>& b, const char* s) {
    b.insert(b.end(), s, s + strlen(s));
}
} // namespace

std::vector<uint8_t> make_tga(uint16_t width, uint16_t height, uint8_t bits,
                              const std::vector<uint8_t>& pixels) {
    std::vector<uint8_t> b = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    put(b, width, 2);
    put(b, height, 2);
    b.insert(b.end(), {bits, 0});
    b.insert(b.end(), pixels.begin(), pixels.end());
    return b;
}

std::vector<uint8_t> make_sine_wav(int rate, double hz, double seconds, int amplitude) {
    const uint32_t frames = uint32_t(rate * seconds);
    std::vector<uint8_t> b;
    put(b, "RIFF");
    put(b, 36 + frames * 2, 4);
    put(b, "WAVEfmt ");
    put(b, 16, 4);
    put(b, 1, 2); // PCM
    put(b, 1, 2); // mono
    put(b, uint32_t(rate), 4);
    put(b, uint32_t(rate) * 2, 4);
    put(b, 2, 2);
    put(b, 16, 2);
    put(b, "data");
    put(b, frames * 2, 4);
    for (uint32_t i = 0; i < frames; ++i) {
        put(b, uint16_t(int16_t(std::lround(amplitude * std::sin(2.0 * M_PI * hz * i / rate)))), 2);
    }
    return b;
}
