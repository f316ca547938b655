#include "media/synth.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

#include "media/paint.h"

namespace media::synth {

namespace {

constexpr float kPi = 3.14159265f;
constexpr float kFs = static_cast<float>(kRate);
constexpr int kCoefStep = 32;      // filter coefficients are refreshed every this many samples
constexpr float kRelease = 0.01f;  // every event closes with a 10 ms ramp

// Zero-delay state-variable filter: low-pass and (unit-peak) band-pass outputs.
class Svf {
public:
    void set(float fc, float q) {
        const float g = std::tan(kPi * std::clamp(fc, 20.0f, kFs * 0.45f) / kFs);
        k_ = 1.0f / q;
        a1_ = 1.0f / (1.0f + g * (g + k_));
        a2_ = g * a1_;
        a3_ = g * a2_;
    }
    void run(float in) {
        const float v3 = in - ic2_;
        const float v1 = a1_ * ic1_ + a2_ * v3;
        const float v2 = ic2_ + a2_ * ic1_ + a3_ * v3;
        ic1_ = 2.0f * v1 - ic1_;
        ic2_ = 2.0f * v2 - ic2_;
        low = v2;
        band = v1 * k_;
    }
    float low = 0.0f, band = 0.0f;

private:
    float ic1_ = 0.0f, ic2_ = 0.0f, k_ = 1.0f, a1_ = 0.0f, a2_ = 0.0f, a3_ = 0.0f;
};

// An envelope followed sample by sample: a linear attack, then a decay by a fixed factor per
// sample, closed by the release ramp.
class EnvelopeRun {
public:
    EnvelopeRun(const Envelope& e, float length)
        : attack_(e.attack), length_(length), fall_(std::exp(-1.0f / (e.decay * kFs))) {}
    float next(float t) {
        if (t >= attack_) level_ *= fall_;
        const float shape = t < attack_ ? t / attack_ : level_;
        return shape * std::clamp((length_ - t) / kRelease, 0.0f, 1.0f);
    }

private:
    float attack_, length_, fall_, level_ = 1.0f;
};

// One cycle of a sine, looked up instead of computed for every sample.
constexpr int kSineSize = 1024;
const std::array<float, kSineSize>& sineTable() {
    static const std::array<float, kSineSize> table = [] {
        std::array<float, kSineSize> t{};
        for (int i = 0; i < kSineSize; ++i)
            t[static_cast<size_t>(i)] = std::sin(2.0f * kPi * static_cast<float>(i) / kSineSize);
        return t;
    }();
    return table;
}

// Calls f(index into b, local time) for each sample of an event, clipped to the buffer.
template <typename F>
void span(Buffer& b, float start, float length, F f) {
    const int first = static_cast<int>(start * kFs);
    const int count = static_cast<int>(length * kFs);
    for (int i = 0; i < count && first + i < static_cast<int>(b.size()); ++i) {
        if (first + i >= 0) f(static_cast<size_t>(first + i), static_cast<float>(i) / kFs);
    }
}

float oscillator(Wave w, float phase) {
    switch (w) {
        case Wave::Sine:
            return sineTable()[static_cast<size_t>(phase * kSineSize) & (kSineSize - 1)];
        case Wave::Square:
            return phase < 0.5f ? 0.7f : -0.7f;
        case Wave::Saw:
            return 2.0f * phase - 1.0f;
        case Wave::Triangle:
            return phase < 0.5f ? 4.0f * phase - 1.0f : 3.0f - 4.0f * phase;
    }
    return 0.0f;
}

struct Formants {
    float f1, f2, f3;
};

Formants vowel(char v) {
    switch (v) {
        case 'e':
            return {520, 1800, 2550};
        case 'i':
            return {320, 2250, 2950};
        case 'o':
            return {540, 920, 2450};
        case 'u':
            return {380, 760, 2400};
        case 'r':
            return {420, 1300, 1700};
        default:
            return {800, 1250, 2600};  // a
    }
}

Formants lerp(const Formants& a, const Formants& b, float t) {
    return {a.f1 + (b.f1 - a.f1) * t, a.f2 + (b.f2 - a.f2) * t, a.f3 + (b.f3 - a.f3) * t};
}

// Where in its vowel string a shout is at voiced time fraction t: the glide between vowels
// takes the first 40%, the last vowel holds the rest. Returns formants and a loudness factor.
Formants vowelAt(const char* vowels, float t, float& loud) {
    const int n = static_cast<int>(std::strlen(vowels));
    loud = 1.0f;
    if (n <= 1) return vowel(n == 1 ? vowels[0] : 'a');
    const float pos = std::min(t / 0.4f, 1.0f) * static_cast<float>(n - 1);
    const int i = std::min(static_cast<int>(pos), n - 2);
    const float f = pos - static_cast<float>(i);
    if (vowels[i] == 'r' || vowels[i + 1] == 'r') {
        const float tap = vowels[i] == 'r' ? 1.0f - f : f;
        loud = 1.0f - 0.65f * tap;
    }
    return lerp(vowel(vowels[i]), vowel(vowels[i + 1]), f);
}

struct ConsonantShape {
    float length;  // seconds before voicing starts
    float centre;  // noise band centre, Hz
    float level;
};

ConsonantShape consonantOf(char c) {
    switch (c) {
        case 'h':
            return {0.05f, 0.0f, 0.5f};  // breath through the vowel's own formants
        case 't':
            return {0.028f, 3800.0f, 0.9f};
        case 'd':
            return {0.02f, 2500.0f, 0.6f};
        case 'k':
            return {0.03f, 1900.0f, 0.9f};
        case 's':
            return {0.085f, 5200.0f, 0.55f};
        default:
            return {0.0f, 0.0f, 0.0f};
    }
}

}  // namespace

Buffer silence(float seconds) {
    return Buffer(static_cast<size_t>(seconds * kFs), 0.0f);
}

void add(Buffer& b, const Tone& t) {
    float phase = 0.0f, f = t.f0;
    const float step = std::pow(t.f1 / t.f0, 1.0f / std::max(t.length * kFs, 1.0f));
    EnvelopeRun env(t.env, t.length);
    span(b, t.start, t.length, [&](size_t i, float time) {
        b[i] += t.amp * env.next(time) * oscillator(t.wave, phase);
        phase += f / kFs;
        if (phase >= 1.0f) phase -= 1.0f;  // each step is under one cycle
        f *= step;
    });
}

void add(Buffer& b, const Noise& n) {
    Rng rng(n.seed);
    Svf svf;
    EnvelopeRun env(n.env, n.length);
    int k = 0;
    span(b, n.start, n.length, [&](size_t i, float time) {
        if (k++ % kCoefStep == 0)
            svf.set(n.c0 * std::pow(n.c1 / n.c0, time / n.length), n.band ? n.q : 0.707f);
        svf.run(rng.unit() * 2.0f - 1.0f);
        b[i] += n.amp * env.next(time) * (n.band ? svf.band : svf.low);
    });
}

void add(Buffer& b, const Shout& s) {
    const char* vowels = s.vowels;
    const ConsonantShape cons = consonantOf(s.consonant);
    // A 'y' is a quick glide out of an 'i'.
    char glide[8] = {'i', 0, 0, 0, 0, 0, 0, 0};
    if (s.consonant == 'y') {
        std::strncat(glide, s.vowels, 6);
        vowels = glide;
    }
    const float voiced = s.length - cons.length;
    Rng rng(s.seed);
    std::array<Svf, 3> formant;
    Svf hiss;
    hiss.set(cons.centre > 0 ? cons.centre : 1000.0f, 2.0f);
    float phase = 0.0f, glottal = 0.0f, loud = 1.0f, vibrato = 1.0f, release = 1.0f;
    int k = 0;
    span(b, s.start, s.length, [&](size_t i, float time) {
        const float tv = time - cons.length;
        const float frac = std::max(tv, 0.0f) / voiced;
        if (k++ % kCoefStep == 0) {
            const Formants f = vowelAt(vowels, frac, loud);
            formant[0].set(f.f1, f.f1 / 90.0f);
            formant[1].set(f.f2, f.f2 / 120.0f);
            formant[2].set(f.f3, f.f3 / 170.0f);
            vibrato = 1.0f + 0.02f * std::sin(2.0f * kPi * 5.5f * time);
            release = frac > 0.65f ? std::exp(-(frac - 0.65f) * 9.0f) : 1.0f;
        }
        const float noise = rng.unit() * 2.0f - 1.0f;
        float source = 0.0f, extra = 0.0f;
        if (tv >= 0.0f) {
            const float rise = 0.84f + 0.16f * std::min(tv / 0.04f, 1.0f);
            const float pitch = s.pitch * rise * (1.12f - 0.36f * frac) * vibrato;
            phase += pitch / kFs;
            if (phase >= 1.0f) phase -= 1.0f;  // each step is under one cycle
            glottal += 0.4f * ((2.0f * phase - 1.0f) - glottal);
            const float attack = std::min(tv / 0.012f, 1.0f);
            source = (glottal + 0.12f * noise) * attack * release * loud;
        } else if (s.consonant == 'h') {
            source = noise * cons.level * (time / cons.length);
        } else if (cons.centre > 0.0f && time < cons.length * 0.7f) {
            hiss.run(noise);
            extra = hiss.band * cons.level;
        }
        for (Svf& f : formant)
            f.run(source);
        const float voice = formant[0].band + 0.55f * formant[1].band + 0.3f * formant[2].band;
        b[i] += s.amp * (voice + extra) * std::clamp((s.length - time) / kRelease, 0.0f, 1.0f);
    });
}

// Rounds half away from zero, as lround does, without the library call per sample.
inline int roundAway(float x) {
    return static_cast<int>(x + (x >= 0.0f ? 0.5f : -0.5f));
}

std::vector<uint8_t> finish(const Buffer& b) {
    constexpr float kFadeIn = 0.003f, kFadeOut = 0.02f, kPeak = 0.9f;
    Buffer clean(b.size());
    float prevIn = 0.0f, prevOut = 0.0f, peak = 0.0f;
    const float n = static_cast<float>(b.size());
    for (size_t i = 0; i < b.size(); ++i) {
        // DC blocker, then the fades.
        prevOut = b[i] - prevIn + 0.995f * prevOut;
        prevIn = b[i];
        const float t = static_cast<float>(i);
        const float fade = std::min({1.0f, t / (kFadeIn * kFs), (n - 1.0f - t) / (kFadeOut * kFs)});
        clean[i] = prevOut * std::max(fade, 0.0f);
        peak = std::max(peak, std::fabs(clean[i]));
    }
    const float gain = peak > 0.0f ? kPeak / peak : 0.0f;
    std::vector<uint8_t> out(b.size());
    for (size_t i = 0; i < b.size(); ++i)
        out[i] = static_cast<uint8_t>(128 + roundAway(clean[i] * gain * 127.0f));
    return out;
}

}  // namespace media::synth
