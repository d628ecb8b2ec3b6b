// Sound effects built from sine partials, filtered noise and envelopes.
#include "tools/content/sounds.h"

#include <algorithm>
#include <cmath>

#include "tools/content/noise.h"
#include "tools/content/wav_writer.h"

namespace {

constexpr float PI = 3.14159265f;
constexpr float DT = 1.0f / WAV_RATE;

std::vector<float> silence(float seconds) {
    return std::vector<float>(static_cast<size_t>(seconds * WAV_RATE), 0.0f);
}

// White noise from a fixed seed, so every run writes the same file.
struct Noise {
    Dice dice;
    explicit Noise(unsigned seed) : dice(seed) {}
    float next() { return dice.unit() * 2 - 1; }
};

// One-pole low-pass.
struct LowPass {
    float y = 0;
    float step(float x, float cutoff_hz) {
        float a = 1 - std::exp(-2 * PI * cutoff_hz * DT);
        y += a * (x - y);
        return y;
    }
};

// A bell: inharmonic partials with their own decays.
void add_bell(std::vector<float>& out, float start, float freq, float gain, float decay) {
    const float ratios[] = {1.0f, 2.0f, 2.76f, 4.07f, 5.4f};
    const float weights[] = {1.0f, 0.5f, 0.35f, 0.2f, 0.1f};
    size_t first = static_cast<size_t>(start * WAV_RATE);
    for (size_t i = first; i < out.size(); ++i) {
        float t = (i - first) * DT;
        float attack = std::min(1.0f, t * 400);
        float s = 0;
        for (int p = 0; p < 5; ++p)
            s += weights[p] * std::sin(2 * PI * freq * ratios[p] * t) *
                 std::exp(-t * decay * (1 + p * 0.8f));
        out[i] += gain * attack * s;
    }
}

void normalise(std::vector<float>& s, float peak) {
    float m = 0;
    for (float v : s)
        m = std::max(m, std::fabs(v));
    if (m <= 0) // a silent buffer stays silent rather than dividing by zero
        return;
    for (float& v : s)
        v *= peak / m;
}

void fade_out(std::vector<float>& s, float seconds) {
    size_t n = std::min(s.size(), static_cast<size_t>(seconds * WAV_RATE));
    for (size_t i = 0; i < n; ++i)
        s[s.size() - 1 - i] *= static_cast<float>(i) / n;
}

std::vector<float> make_bing() {
    auto s = silence(0.7f);
    add_bell(s, 0, 1318.5f, 0.6f, 6);
    add_bell(s, 0.06f, 1975.5f, 0.45f, 7);
    normalise(s, 0.8f);
    fade_out(s, 0.05f);
    return s;
}

std::vector<float> make_complete() {
    // A rising arpeggio and a held major chord.
    auto s = silence(1.8f);
    const float notes[] = {523.25f, 659.25f, 783.99f, 1046.5f};
    for (int i = 0; i < 4; ++i)
        add_bell(s, i * 0.11f, notes[i], 0.5f, 4);
    for (float f : {523.25f, 659.25f, 783.99f, 1046.5f})
        add_bell(s, 0.5f, f, 0.3f, 2.2f);
    normalise(s, 0.85f);
    fade_out(s, 0.2f);
    return s;
}

std::vector<float> make_grapple() {
    // A metallic clack: a click of noise, then a short ring of inharmonic partials.
    auto s = silence(0.45f);
    Noise noise(201);
    LowPass lp;
    for (size_t i = 0; i < s.size(); ++i) {
        float t = i * DT;
        float click = lp.step(noise.next(), 4000) * std::exp(-t * 90);
        float ring = 0;
        for (float f : {1870.0f, 2630.0f, 3410.0f, 940.0f})
            ring += std::sin(2 * PI * f * t) * std::exp(-t * (14 + f * 0.004f));
        s[i] = 1.4f * click + 0.25f * ring * std::min(1.0f, t * 800);
    }
    normalise(s, 0.8f);
    fade_out(s, 0.03f);
    return s;
}

std::vector<float> make_jump() {
    // A springy "boing": a rising sweep with a wobble.
    auto s = silence(0.38f);
    float phase = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        float t = i * DT;
        float f = 180 + 520 * (1 - std::exp(-t * 9)) + 25 * std::sin(2 * PI * 22 * t);
        phase += 2 * PI * f * DT;
        float env = std::min(1.0f, t * 200) * std::exp(-t * 6);
        s[i] = env * (std::sin(phase) + 0.3f * std::sin(2 * phase));
    }
    normalise(s, 0.75f);
    fade_out(s, 0.04f);
    return s;
}

std::vector<float> make_release() {
    // A rope letting go: a falling twang.
    auto s = silence(0.35f);
    float phase = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        float t = i * DT;
        float f = 620 * std::exp(-t * 5);
        phase += 2 * PI * f * DT;
        float env = std::min(1.0f, t * 500) * std::exp(-t * 11);
        s[i] = env * (std::sin(phase) + 0.45f * std::sin(3 * phase) + 0.2f * std::sin(5 * phase));
    }
    normalise(s, 0.7f);
    fade_out(s, 0.03f);
    return s;
}

// A ball or cart rolling: low filtered noise with a hum, swelling at every bump, and
// with `clack` > 0 a knock at each bump like wheels over joints.
std::vector<float> make_rumble(float seconds, unsigned seed, float bump_rate, float cutoff,
                               float clack) {
    auto s = silence(seconds);
    Noise noise(seed);
    LowPass lp1, lp2, lp3, knock_lp;
    for (size_t i = 0; i < s.size(); ++i) {
        float t = i * DT;
        float cycle = t * bump_rate - std::floor(t * bump_rate);
        float bumps = 0.6f + 0.4f * std::pow(0.5f + 0.5f * std::sin(2 * PI * bump_rate * t), 6);
        float n = lp3.step(lp2.step(lp1.step(noise.next(), cutoff), cutoff), cutoff);
        float hum = 0.3f * std::sin(2 * PI * 55 * t + 0.5f * std::sin(2 * PI * 3 * t));
        float knock = knock_lp.step(noise.next(), 1200) * std::exp(-cycle / bump_rate * 80);
        s[i] = (n * 6 + hum) * bumps + clack * knock;
    }
    normalise(s, 0.6f);
    // Soft ends, so the sound can be looped without clicks.
    for (size_t i = 0; i < s.size() && i < 1000; ++i) {
        s[i] *= i / 1000.0f;
        s[s.size() - 1 - i] *= i / 1000.0f;
    }
    return s;
}

std::vector<float> make_swish() {
    // Air rushing past: band-passed noise swelling and dying, with a moving centre.
    auto s = silence(0.45f);
    Noise noise(231);
    LowPass lo, hi;
    for (size_t i = 0; i < s.size(); ++i) {
        float t = i * DT;
        float x = t / 0.45f;
        float centre = 900 + 2600 * x;
        float n = noise.next();
        float band = lo.step(n, centre * 1.6f) - hi.step(n, centre * 0.6f);
        float env = std::sin(PI * x) * std::sin(PI * x);
        s[i] = band * env;
    }
    normalise(s, 0.7f);
    return s;
}

std::vector<float> make_thunk() {
    // A heavy soft landing: a falling low sine and a muffled knock.
    auto s = silence(0.3f);
    Noise noise(241);
    LowPass lp1, lp2, lp3;
    float phase = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        float t = i * DT;
        float f = 55 + 90 * std::exp(-t * 30);
        phase += 2 * PI * f * DT;
        float body = std::sin(phase) * std::exp(-t * 18);
        float knock = lp3.step(lp2.step(lp1.step(noise.next(), 600), 600), 600);
        s[i] = body + 6.0f * knock * std::exp(-t * 45);
    }
    normalise(s, 0.9f);
    fade_out(s, 0.02f);
    return s;
}

} // namespace

std::vector<float> make_rope_sound() {
    // A plucked rope (Karplus-Strong) with the swish of the throw before it.
    auto s = make_swish();
    s.resize(static_cast<size_t>(0.9f * WAV_RATE), 0);
    for (float& v : s)
        v *= 0.5f;
    const size_t start = static_cast<size_t>(0.18f * WAV_RATE);
    const size_t period = WAV_RATE / 110;
    std::vector<float> line(period);
    Noise noise(251);
    for (float& v : line)
        v = noise.next();
    float last = 0;
    for (size_t i = start, k = 0; i < s.size(); ++i, ++k) {
        float cur = line[k % period];
        float next = 0.996f * 0.5f * (cur + last);
        last = cur;
        line[k % period] = next;
        s[i] += cur * 0.9f;
    }
    normalise(s, 0.8f);
    fade_out(s, 0.1f);
    return s;
}

std::vector<NamedSound> make_game_sounds() {
    return {
        {"bing.wav", make_bing()},
        {"complete.wav", make_complete()},
        {"grapple.wav", make_grapple()},
        {"jump.wav", make_jump()},
        {"release.wav", make_release()},
        {"roll.wav", make_rumble(1.2f, 211, 7, 380, 0)},
        {"swish.wav", make_swish()},
        {"thunk.wav", make_thunk()},
        {"trundle.wav", make_rumble(1.6f, 221, 5.5f, 500, 1.5f)},
    };
}
