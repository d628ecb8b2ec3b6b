// The TGA decoder, in memory and from a file as the games load it. A refused file leaves
// the record empty (its documented state after a failure); an accepted one has the size
// its header announces, both decoders agree, and written back it reads back the same.
#include "fuzz/fuzz_check.h"
#include "fuzz/tga_encode.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <span>
#include <string>

#include <unistd.h>

namespace {

// A record that still holds an earlier image, as after a window rebuild.
Texture held_image() {
    Texture t;
    t.pixels = {1, 2, 3, 4};
    t.bits_per_pixel = 32;
    t.width = t.height = 1;
    t.texture_id = 7;
    return t;
}

bool is_empty(const Texture& t) {
    return t.pixels.empty() && t.width == 0 && t.height == 0 && t.bits_per_pixel == 0 &&
           t.texture_id == 0;
}

bool same_image(const Texture& a, const Texture& b) {
    return a.pixels == b.pixels && a.width == b.width && a.height == b.height &&
           a.bits_per_pixel == b.bits_per_pixel && a.texture_id == b.texture_id;
}

// The file the disk decoder reads, one per process, removed when the process ends.
struct ScratchFile {
    std::string path;
    ScratchFile() {
        const char* dir = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        path = std::string(dir) + "/glimbo_tga_fuzz_" + std::to_string(getpid()) + ".tga";
    }
    ~ScratchFile() { unlink(path.c_str()); }
};

const std::string& scratch_path() {
    static const ScratchFile file;
    return file.path;
}

Texture read_through_file(std::span<const uint8_t> bytes, bool& ok) {
    std::FILE* f = std::fopen(scratch_path().c_str(), "wb");
    FUZZ_CHECK(f != nullptr, "cannot write the scratch file");
    FUZZ_CHECK(std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size(),
               "cannot write the scratch file");
    std::fclose(f);
    Texture image = held_image();
    std::string error;
    ok = read_tga_file(scratch_path(), image, error);
    FUZZ_CHECK(ok || (is_empty(image) && !error.empty()),
               "a file the disk decoder refused left an image or no reason");
    return image;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    Texture image = held_image();
    std::string error;
    const bool ok = decode_tga(bytes, image, error);

    bool file_ok = false;
    const Texture from_file = read_through_file(bytes, file_ok);
    FUZZ_CHECK(ok == file_ok, "the memory and disk decoders disagree on accepting");

    if (!ok) {
        FUZZ_CHECK(is_empty(image) && !error.empty(), "a refused image left pixels or no reason");
        return 0;
    }
    FUZZ_CHECK(same_image(image, from_file), "the memory and disk decoders read different images");
    FUZZ_CHECK(image.width > 0 && image.height > 0, "an accepted image has no pixels");
    FUZZ_CHECK(image.bits_per_pixel == 24 || image.bits_per_pixel == 32,
               "an accepted image has an unsupported depth");
    FUZZ_CHECK(image.pixels.size() == size_t(image.width) * image.height * image.bits_per_pixel / 8,
               "the pixels do not fill the announced size");
    FUZZ_CHECK(image.width == (bytes[12] | uint32_t(bytes[13]) << 8) &&
                   image.height == (bytes[14] | uint32_t(bytes[15]) << 8),
               "the size differs from the header");
    FUZZ_CHECK(image.texture_id == 0, "a decoded image claims a texture name");

    // Written back, the pixel bytes are the file's own, and it reads back the same.
    const std::vector<uint8_t> written = encode_tga_image(image);
    FUZZ_CHECK(written.size() <= bytes.size() &&
                   std::equal(written.begin() + TGA_HEADER_SIZE, written.end(),
                              bytes.begin() + TGA_HEADER_SIZE),
               "the pixels differ from the file");
    Texture again = held_image();
    FUZZ_CHECK(decode_tga(written, again, error) && same_image(again, image),
               "the written image reads back changed");
    return 0;
}
