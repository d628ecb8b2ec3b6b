// The asset readers: TGA images without OpenGL, from disk and from memory (the accepted
// layouts, every refusal, the resampling to power-of-two sides), and the sound calls on
// SDL's disk audio driver.
#include "assets/sound.h"
#include "assets/texture.h"
#include "assets/texture_scale.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>
#include <unistd.h>

namespace {

using Bytes = std::vector<uint8_t>;
using Clock = std::chrono::steady_clock;

// A fresh folder under the system temp folder, removed when the object goes.
struct ScratchDir {
    std::filesystem::path path = std::filesystem::temp_directory_path() /
                                 ("glimbo_assets_" + std::to_string(getpid()));
    ScratchDir() { std::filesystem::create_directories(path); }
    ~ScratchDir() { std::filesystem::remove_all(path); }
    std::string file(const std::string& name) const { return (path / name).string(); }
};

void write_bytes(const std::string& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

Bytes read_bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

// An uncompressed TGA: the 18-byte header, then `pixels` as given (B, G, R(, A) order).
Bytes make_tga(uint8_t width, uint8_t height, uint8_t bits, const Bytes& pixels) {
    Bytes b = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, width, 0, height, 0, bits, 0};
    b.insert(b.end(), pixels.begin(), pixels.end());
    return b;
}

// Each file is read into a record still holding an earlier image: a good one replaces it,
// a refused one leaves it empty, without a texture name, and says why.
TEST(TgaFile, LoadsTrueColourAndRefusesAllElseLeavingTheRecordEmpty) {
    ScratchDir dir;
    const Bytes good = make_tga(3, 2, 24, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16,
                                           17, 18});
    struct Case {
        std::string what;
        Bytes file;
        Bytes pixels; // empty: refused
    };
    Bytes longer = good, descriptor = make_tga(2, 1, 32, {10, 20, 30, 40, 50, 60, 70, 80});
    longer.insert(longer.end(), {0xEE, 0xEE, 0xEE});
    descriptor[17] = 0x28; // top-down flag and alpha bits: not interpreted
    std::vector<Case> cases = {
        {"junk after the pixels", longer,
         {3, 2, 1, 6, 5, 4, 9, 8, 7, 12, 11, 10, 15, 14, 13, 18, 17, 16}},
        {"32 bits", descriptor, {30, 20, 10, 40, 70, 60, 50, 80}},
        {"the largest header with no pixels", make_tga(255, 255, 32, {1, 2, 3}), {}},
    };
    cases.back().file[13] = cases.back().file[15] = 255;
    // Run-length encoded, an identifier, a colour map, colour-mapped, a colour map entry
    // size, an x origin, 16 and 8 bits, zero width and height.
    const std::pair<size_t, uint8_t> headers[] = {{2, 10}, {0, 1},   {1, 1},  {2, 1}, {7, 24},
                                                  {8, 1},  {16, 16}, {16, 8}, {12, 0}, {14, 0}};
    for (const auto& [at, value] : headers) {
        cases.push_back({"byte " + std::to_string(at) + " = " + std::to_string(value), good, {}});
        cases.back().file[at] = value;
    }
    for (size_t length : {0, 5, 12, 17, 18, 35})
        cases.push_back({"cut to " + std::to_string(length),
                         {good.begin(), good.begin() + long(length)},
                         {}});
    for (const Case& c : cases) {
        write_bytes(dir.file("a.tga"), c.file);
        Texture t{.pixels = {1, 2, 3}, .bits_per_pixel = 24, .width = 1, .height = 1,
                  .texture_id = 7};
        std::string error;
        EXPECT_EQ(read_tga_file(dir.file("a.tga"), t, error), !c.pixels.empty()) << c.what;
        EXPECT_EQ(error.empty(), !c.pixels.empty()) << c.what << ": " << error;
        EXPECT_EQ(t.pixels, c.pixels) << c.what;
        EXPECT_EQ(t.width * t.height * t.bits_per_pixel / 8, c.pixels.size()) << c.what;
        EXPECT_EQ(t.texture_id, 0u) << c.what;
        Texture decoded{.pixels = {1}, .width = 1};
        EXPECT_EQ(decode_tga(c.file, decoded, error), !c.pixels.empty()) << c.what;
        EXPECT_EQ(decoded.pixels, c.pixels) << c.what;
        EXPECT_EQ(decoded.width * decoded.height * decoded.bits_per_pixel / 8, c.pixels.size());
    }
    for (const std::string& path : {dir.file("missing.tga"), dir.path.string()}) {
        Texture t;
        std::string error;
        EXPECT_FALSE(read_tga_file(path, t, error));
        EXPECT_NE(error, "");
    }
}

TEST(TextureScale, PowersOfTwoAndBoxFilter) {
    const std::pair<uint32_t, uint32_t> nearest[] = {{1, 1}, {3, 4}, {5, 4}, {6, 8}, {64, 64},
                                                     {65535, 65536}};
    for (const auto& [value, power] : nearest)
        EXPECT_EQ(nearest_power_of_two(value), power) << value;
    // Widening repeats, narrowing averages by covered area, in both directions.
    EXPECT_EQ(scale_pixels({0, 100}, 2, 1, 1, 4, 1), (Bytes{0, 0, 100, 100}));
    EXPECT_EQ(scale_pixels({0, 100, 200, 255}, 4, 1, 1, 2, 1), (Bytes{50, 228}));
    EXPECT_EQ(scale_pixels({0, 90, 30}, 3, 1, 1, 2, 1), (Bytes{30, 50}));
    EXPECT_EQ(scale_pixels({10, 20, 30, 40}, 1, 2, 2, 1, 1), (Bytes{20, 30}));
    EXPECT_EQ(scale_pixels({10, 20}, 1, 2, 1, 1, 4), (Bytes{10, 10, 20, 20}));
    EXPECT_TRUE(scale_pixels({1, 2}, 2, 2, 1, 4, 4).empty()); // too few source bytes
}

// A mono 16-bit PCM WAV of half a second at 22050 Hz: a square wave of 441 Hz.
Bytes square_wav() {
    Bytes b = {'R', 'I', 'F', 'F', 0x46, 0x56, 0, 0, 'W', 'A', 'V', 'E',
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

// Loudest 16-bit sample of the captured stream.
int loudest(const Bytes& pcm) {
    int peak = 0;
    for (size_t i = 0; i + 1 < pcm.size(); i += 2)
        peak = std::max(peak, std::abs(int(int16_t(pcm[i] | pcm[i + 1] << 8))));
    return peak;
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
    ASSERT_EQ(FSOUND_PlaySound(0, square), 0);
    // Polled with a generous deadline: the device writes in its own time.
    const auto deadline = Clock::now() + std::chrono::seconds(60);
    while (Clock::now() < deadline && loudest(read_bytes(capture)) <= 6000)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_GT(loudest(read_bytes(capture)), 6000);
    FSOUND_Close();
}

} // namespace
