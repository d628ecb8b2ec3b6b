#include "tools/content/wav_writer.h"

#include <algorithm>
#include <cmath>

#include "level/byte_io.h"

namespace {

void write_u16(ByteWriter& w, uint16_t v) {
    write_u8(w, static_cast<uint8_t>(v & 0xFF));
    write_u8(w, static_cast<uint8_t>(v >> 8));
}

void write_tag(ByteWriter& w, const char* tag) {
    for (int i = 0; i < 4; ++i)
        write_u8(w, static_cast<uint8_t>(tag[i]));
}

} // namespace

std::vector<uint8_t> encode_wav(const std::vector<float>& samples) {
    const uint32_t data_bytes = static_cast<uint32_t>(samples.size() * 2);
    ByteWriter w;
    write_tag(w, "RIFF");
    write_u32(w, 36 + data_bytes);
    write_tag(w, "WAVE");
    write_tag(w, "fmt ");
    write_u32(w, 16); // format chunk size
    write_u16(w, 1);  // PCM
    write_u16(w, 1);  // mono
    write_u32(w, WAV_RATE);
    write_u32(w, WAV_RATE * 2); // bytes per second
    write_u16(w, 2);            // bytes per frame
    write_u16(w, 16);           // bits per sample
    write_tag(w, "data");
    write_u32(w, data_bytes);
    for (float s : samples) {
        float c = std::clamp(s, -1.0f, 1.0f);
        write_u16(w, static_cast<uint16_t>(static_cast<int16_t>(std::lround(c * 32767.0f))));
    }
    return std::move(w.bytes);
}
