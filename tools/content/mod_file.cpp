#include "tools/content/mod_file.h"

#include <algorithm>
#include <set>

#include "level/byte_io.h"

const std::array<int, 36> MOD_PERIODS = {
    856, 808, 762, 720, 678, 640, 604, 570, 538, 508, 480, 453, // octave 1
    428, 404, 381, 360, 339, 320, 302, 285, 269, 254, 240, 226, // octave 2
    214, 202, 190, 180, 170, 160, 151, 143, 135, 127, 120, 113, // octave 3
};

int mod_period(const std::string& note) {
    static const char* names[12] = {"C-", "C#", "D-", "D#", "E-", "F-",
                                    "F#", "G-", "G#", "A-", "A#", "B-"};
    if (note.size() != 3 || note[2] < '1' || note[2] > '3')
        return 0;
    for (int i = 0; i < 12; ++i)
        if (note.compare(0, 2, names[i]) == 0)
            return MOD_PERIODS[(note[2] - '1') * 12 + i];
    return 0;
}

namespace {

// Module files store their 16-bit fields big-endian, unlike the games' own files.
void write_u16_be(ByteWriter& w, size_t v) {
    write_u8(w, static_cast<uint8_t>((v >> 8) & 0xFF));
    write_u8(w, static_cast<uint8_t>(v & 0xFF));
}

void write_text(ByteWriter& w, const std::string& s, size_t width) {
    for (size_t i = 0; i < width; ++i)
        write_u8(w, i < s.size() ? static_cast<uint8_t>(s[i]) : 0);
}

int read_u16_be(std::span<const uint8_t> b, size_t at) {
    return b[at] * 256 + b[at + 1];
}

} // namespace

std::vector<uint8_t> encode_mod(const ModSong& song) {
    ByteWriter w;
    write_text(w, song.title, 20);
    for (int i = 0; i < MOD_SAMPLE_SLOTS; ++i) {
        const ModSample* s = i < static_cast<int>(song.samples.size()) ? &song.samples[i] : nullptr;
        write_text(w, s ? s->name : "", 22);
        write_u16_be(w, s ? s->data.size() / 2 : 0);
        write_u8(w, static_cast<uint8_t>(s ? s->finetune & 15 : 0));
        write_u8(w, static_cast<uint8_t>(s ? s->volume : 0));
        bool looped = s && s->loop_length > 2;
        write_u16_be(w, looped ? s->loop_start / 2 : 0);
        write_u16_be(w, looped ? s->loop_length / 2 : 1); // one word means "no loop"
    }
    write_u8(w, static_cast<uint8_t>(song.orders.size()));
    write_u8(w, 127); // restart byte as ProTracker writes it
    for (int i = 0; i < 128; ++i)
        write_u8(
            w, static_cast<uint8_t>(i < static_cast<int>(song.orders.size()) ? song.orders[i] : 0));
    write_text(w, "M.K.", 4);
    for (const ModPattern& p : song.patterns) {
        for (const ModRow& row : p) {
            for (const ModNote& n : row) {
                write_u8(w, static_cast<uint8_t>((n.sample & 0xF0) | ((n.period >> 8) & 0x0F)));
                write_u8(w, static_cast<uint8_t>(n.period & 0xFF));
                write_u8(w, static_cast<uint8_t>(((n.sample & 0x0F) << 4) | (n.effect & 0x0F)));
                write_u8(w, static_cast<uint8_t>(n.param));
            }
        }
    }
    for (const ModSample& s : song.samples)
        for (int8_t v : s.data)
            write_u8(w, static_cast<uint8_t>(v));
    return std::move(w.bytes);
}

ModCheck check_mod(std::span<const uint8_t> b) {
    ModCheck c;
    // The fixed header must be there before any field of it is read.
    if (b.size() < MOD_HEADER_BYTES) {
        c.error = "shorter than a module header";
        return c;
    }
    if (!std::equal(b.begin() + 1080, b.begin() + 1084, "M.K.")) {
        c.error = "no M.K. tag at offset 1080";
        return c;
    }
    size_t sample_bytes = 0;
    for (int i = 0; i < MOD_SAMPLE_SLOTS; ++i) {
        size_t at = 20 + 30 * static_cast<size_t>(i);
        int len = read_u16_be(b, at + 22) * 2;
        int fine = b[at + 24], vol = b[at + 25];
        int loop_start = read_u16_be(b, at + 26) * 2, loop_len = read_u16_be(b, at + 28) * 2;
        if (fine > 15 || vol > 64) {
            c.error = "sample " + std::to_string(i + 1) + " has a bad finetune or volume";
            return c;
        }
        if (loop_len > 2 && loop_start + loop_len > len) {
            c.error = "sample " + std::to_string(i + 1) + " loops past its end";
            return c;
        }
        c.sample_lengths.push_back(len);
        sample_bytes += len;
    }
    c.song_length = b[950];
    if (c.song_length < 1 || c.song_length > 128) {
        c.error = "song length out of 1..128";
        return c;
    }
    int highest = 0;
    for (int i = 0; i < 128; ++i)
        highest = std::max(highest, static_cast<int>(b[952 + i]));
    c.pattern_count = highest + 1;
    size_t pattern_bytes = static_cast<size_t>(c.pattern_count) * MOD_ROWS * MOD_CHANNELS * 4;
    if (b.size() != MOD_HEADER_BYTES + pattern_bytes + sample_bytes) {
        c.error = "file size does not match its patterns and samples";
        return c;
    }
    // Play it through: one row lasts speed ticks of 2.5 / tempo seconds.
    int speed = 6, tempo = 125, order = 0, row = 0;
    std::set<std::pair<int, int>> played;
    double seconds = 0;
    while (played.insert({order, row}).second) {
        int pattern = b[952 + order];
        size_t at = MOD_HEADER_BYTES + (static_cast<size_t>(pattern) * MOD_ROWS + row) * 16;
        int next_order = -1, next_row = 0;
        bool stop = false;
        for (int ch = 0; ch < MOD_CHANNELS; ++ch) {
            const uint8_t* cell = &b[at + ch * 4];
            int effect = cell[2] & 0x0F, param = cell[3];
            int sample = (cell[0] & 0xF0) | (cell[2] >> 4);
            if (sample > MOD_SAMPLE_SLOTS) {
                c.error = "a note names sample " + std::to_string(sample);
                return c;
            }
            if (effect == 0xF) {
                if (param == 0)
                    stop = true;
                else if (param < 32)
                    speed = param;
                else
                    tempo = param;
            } else if (effect == 0xB) {
                next_order = param;
            } else if (effect == 0xD) {
                if (next_order < 0)
                    next_order = order + 1;
                next_row = (param >> 4) * 10 + (param & 0x0F);
            }
        }
        seconds += speed * 2.5 / tempo;
        if (stop)
            break;
        if (next_order >= 0) {
            order = next_order;
            row = next_row < MOD_ROWS ? next_row : 0;
        } else if (++row == MOD_ROWS) {
            row = 0;
            ++order;
        }
        if (order >= c.song_length)
            order = 0;
    }
    c.seconds_before_loop = seconds;
    c.ok = true;
    return c;
}
