#include "tools/content/music.h"

#include <algorithm>
#include <cmath>
#include <sstream>

#include "tools/content/noise.h"

namespace {

constexpr float PI = 3.14159265f;
constexpr int LEAD = 1, KEYS = 2, BASS = 3, KICK = 4, SNARE = 5, HAT = 6;
constexpr int CH_LEAD = 0, CH_KEYS = 1, CH_BASS = 2, CH_DRUMS = 3;
constexpr int ROWS_PER_BAR = 16;

int8_t to_s8(float v) {
    return static_cast<int8_t>(std::lround(std::clamp(v, -1.0f, 1.0f) * 127.0f));
}

// The melodic samples repeat every `cycle` bytes so they can loop on whole cycles; at
// C-2 (period 428) the player steps through 8287 bytes a second, so a 32-byte cycle
// sounds as middle C and a 64-byte one an octave lower.
ModSample make_lead() {
    ModSample s{"glimbo lead", {}, 0, 52, 0, 0};
    const int cycle = 32, body = cycle * 160, tail = cycle * 64;
    for (int i = 0; i < body + tail; ++i) {
        float ph = 2 * PI * (i % cycle) / cycle;
        float env = i < 40 ? i / 40.0f : 0.38f + 0.62f * std::exp(-std::min(i, body) / 1500.0f);
        float bright = 0.25f * std::exp(-std::min(i, body) / 900.0f);
        float v = std::sin(ph) + (0.18f + bright) * std::sin(2 * ph) + 0.12f * std::sin(3 * ph) +
                  bright * 0.5f * std::sin(4 * ph);
        s.data.push_back(to_s8(0.62f * env * v));
    }
    s.loop_start = body;
    s.loop_length = tail;
    return s;
}

ModSample make_keys() {
    ModSample s{"glimbo keys", {}, 0, 24, 0, 0};
    const int cycle = 32, attack = cycle * 16, loop = cycle * 64;
    for (int i = 0; i < attack + loop; ++i) {
        float ph = 2 * PI * (i % cycle) / cycle;
        float env = std::min(1.0f, i / static_cast<float>(attack));
        float v = std::sin(ph) + 0.35f * std::sin(2 * ph) + 0.15f * std::sin(4 * ph);
        s.data.push_back(to_s8(0.7f * env * v));
    }
    s.loop_start = attack;
    s.loop_length = loop;
    return s;
}

ModSample make_bass() {
    ModSample s{"glimbo bass", {}, 0, 60, 0, 0};
    const int cycle = 64, body = cycle * 96, tail = cycle * 32;
    for (int i = 0; i < body + tail; ++i) {
        float ph = 2 * PI * (i % cycle) / cycle;
        float decay = std::exp(-std::min(i, body) / 2500.0f);
        float v = 0;
        for (int h = 1; h <= 6; ++h) // a rounded saw: fewer overtones as the note fades
            v += std::sin(h * ph) / std::pow(static_cast<float>(h), 1.6f - 0.4f * decay);
        float env = i < 24 ? i / 24.0f : 0.3f + 0.7f * decay;
        s.data.push_back(to_s8(0.6f * env * v));
    }
    s.loop_start = body;
    s.loop_length = tail;
    return s;
}

// Drums are played at C-3, where the player steps through 16574 bytes a second.
constexpr float DRUM_RATE = 16574.0f;

ModSample make_kick() {
    ModSample s{"kick", {}, 0, 64, 0, 0};
    float phase = 0;
    for (int i = 0; i < 3600; ++i) {
        float t = i / DRUM_RATE;
        phase += 2 * PI * (45 + 120 * std::exp(-t * 35)) / DRUM_RATE;
        s.data.push_back(to_s8(std::sin(phase) * std::exp(-t * 9) * 1.1f));
    }
    return s;
}

ModSample make_snare() {
    ModSample s{"snare", {}, 0, 48, 0, 0};
    Dice dice(301);
    float lp = 0;
    for (int i = 0; i < 3000; ++i) {
        float t = i / DRUM_RATE;
        float n = dice.unit() * 2 - 1;
        lp += 0.55f * (n - lp);
        float tone = std::sin(2 * PI * 190 * t) * std::exp(-t * 30);
        s.data.push_back(to_s8((0.8f * lp * std::exp(-t * 16) + 0.5f * tone)));
    }
    return s;
}

ModSample make_hat() {
    ModSample s{"hat", {}, 0, 30, 0, 0};
    Dice dice(311);
    float prev = 0;
    for (int i = 0; i < 900; ++i) {
        float t = i / DRUM_RATE;
        float n = dice.unit() * 2 - 1;
        float hp = n - prev; // the difference keeps only the hiss
        prev = n;
        s.data.push_back(to_s8(0.6f * hp * std::exp(-t * 70)));
    }
    return s;
}

struct Chord {
    const char* root; // bass note, octave 1
    const char* keys; // root of the arpeggio, octave 2
    int arpeggio;     // 0xy: semitones of the other two chord notes
};

const Chord C_MAJ = {"C-1", "C-2", 0x47};
const Chord A_MIN = {"A-1", "A-1", 0x37};
const Chord F_MAJ = {"F-1", "F-1", 0x47};
const Chord G_MAJ = {"G-1", "G-1", 0x47};
const Chord E_MIN = {"E-1", "E-1", 0x37};

// Fifth above a bass root, one octave up when it would leave the table.
int fifth_of(const char* root) {
    int p = mod_period(root);
    for (size_t i = 0; i < MOD_PERIODS.size(); ++i)
        if (MOD_PERIODS[i] == p && i + 7 < MOD_PERIODS.size())
            return MOD_PERIODS[i + 7];
    return p;
}

int octave_up(const char* root) {
    int p = mod_period(root);
    for (size_t i = 0; i < MOD_PERIODS.size(); ++i)
        if (MOD_PERIODS[i] == p && i + 12 < MOD_PERIODS.size())
            return MOD_PERIODS[i + 12];
    return p;
}

ModNote note(int period, int sample, int effect = 0, int param = 0) {
    return {period, sample, effect, param};
}

// Melody: one token per eighth note (two rows): a note such as "E2", "." to hold, "-" to
// stop the note. The octave digit follows the tracker's numbering.
void write_melody(ModPattern& p, const std::string& tokens) {
    std::istringstream in(tokens);
    std::string t;
    int row = 0;
    bool sounding = false;
    while (in >> t && row < MOD_ROWS) {
        if (t == "-") {
            p[row][CH_LEAD] = note(0, 0, 0xC, 0);
            sounding = false;
        } else if (t != ".") {
            std::string name = t.size() == 2 ? std::string{t[0], '-', t[1]} : t;
            p[row][CH_LEAD] = note(mod_period(name), LEAD);
            sounding = true;
        } else if (sounding) {
            // A held note starts a gentle vibrato (speed 3, depth 2) after its first beat half.
            p[row][CH_LEAD].effect = 0x4;
            p[row][CH_LEAD].param = 0x32;
            if (row + 1 < MOD_ROWS)
                p[row + 1][CH_LEAD] = note(0, 0, 0x4, 0x32);
        }
        row += 2;
    }
}

enum class Drums { none, light, full, fill_end };

void write_bar(ModPattern& p, int bar, const Chord& chord, Drums drums, bool bass) {
    int r0 = bar * ROWS_PER_BAR;
    p[r0][CH_KEYS] = note(mod_period(chord.keys), KEYS, 0x0, chord.arpeggio);
    for (int r = 1; r < ROWS_PER_BAR; ++r) // keep the arpeggio running over the bar
        p[r0 + r][CH_KEYS] = note(0, 0, 0x0, chord.arpeggio);
    if (bass) {
        p[r0 + 0][CH_BASS] = note(mod_period(chord.root), BASS);
        p[r0 + 6][CH_BASS] = note(mod_period(chord.root), BASS);
        p[r0 + 8][CH_BASS] = note(fifth_of(chord.root), BASS);
        p[r0 + 12][CH_BASS] = note(octave_up(chord.root), BASS);
        p[r0 + 14][CH_BASS] = note(fifth_of(chord.root), BASS);
    }
    const int drum_period = mod_period("C-3");
    auto hit = [&](int r, int s) { p[r0 + r][CH_DRUMS] = note(drum_period, s); };
    switch (drums) {
    case Drums::none:
        break;
    case Drums::light:
        hit(0, KICK);
        for (int r : {4, 8, 12})
            hit(r, HAT);
        break;
    case Drums::full:
    case Drums::fill_end:
        hit(0, KICK);
        hit(2, HAT);
        hit(4, SNARE);
        hit(6, HAT);
        hit(8, KICK);
        hit(10, bar % 2 ? KICK : HAT);
        hit(12, SNARE);
        hit(14, HAT);
        if (drums == Drums::fill_end && bar == 3) {
            hit(13, SNARE);
            hit(14, SNARE);
            hit(15, SNARE);
        }
        break;
    }
}

ModPattern make_pattern(const Chord (&chords)[4], Drums drums, bool bass,
                        const std::string& melody) {
    ModPattern p{};
    for (int bar = 0; bar < 4; ++bar)
        write_bar(p, bar, chords[bar], drums, bass);
    write_melody(p, melody);
    return p;
}

} // namespace

ModSong compose_music() {
    ModSong song;
    song.title = "glimbo rolls on";
    song.samples = {make_lead(), make_keys(), make_bass(), make_kick(), make_snare(), make_hat()};

    const Chord verse[4] = {C_MAJ, A_MIN, F_MAJ, G_MAJ};
    const Chord bridge[4] = {F_MAJ, G_MAJ, E_MIN, A_MIN};
    const std::string rest = "";
    const std::string tune_a = "G2 . E2 G2 C3 . . B2  A2 . E2 . C2 . . .  "
                               "F2 . A2 . C3 . D3 C3  B2 . G2 . D2 . - .";
    const std::string tune_a2 = "G2 . E2 G2 C3 . E3 .  D3 . C3 . A2 . . G2  "
                                "A2 . F2 . A2 C3 D3 .  B2 . D3 . C3 . - .";
    const std::string tune_b = "C3 . . A2 F2 . A2 .  B2 . . G2 D2 . B2 .  "
                               "G2 . E2 . B2 . G2 .  A2 . . . E2 . G2 .";
    const std::string tune_b2 = "C3 . A2 C3 F3 . E3 D3  D3 . B2 D3 G3 . F3 E3  "
                                "E3 . B2 . G2 . E2 .  A2 . . . - . G2 B2";

    song.patterns.push_back(make_pattern(verse, Drums::light, true, rest));        // 0 intro
    song.patterns.push_back(make_pattern(verse, Drums::full, true, tune_a));       // 1
    song.patterns.push_back(make_pattern(verse, Drums::fill_end, true, tune_a2));  // 2
    song.patterns.push_back(make_pattern(bridge, Drums::full, true, tune_b));      // 3
    song.patterns.push_back(make_pattern(bridge, Drums::fill_end, true, tune_b2)); // 4
    song.patterns.push_back(make_pattern(bridge, Drums::light, true, rest));       // 5 breather
    // Speed 6 at 125 beats: four rows a beat, one bar per 16 rows, 7.68 s a pattern.
    song.patterns[0][0][CH_DRUMS].effect = 0xF;
    song.patterns[0][0][CH_DRUMS].param = 6;
    song.patterns[0][0][CH_LEAD] = note(0, 0, 0xF, 125);
    song.orders = {0, 1, 2, 3, 4, 1, 2, 5, 3, 4};
    return song;
}
