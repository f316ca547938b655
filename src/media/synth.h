// A small sound synthesiser for the built-in sounds: tones with pitch sweeps, filtered noise,
// a formant voice for shouts, and the finishing pass to 8-bit unsigned samples.
#pragma once

#include <cstdint>
#include <vector>

namespace media::synth {

constexpr int kRate = 22050;

using Buffer = std::vector<float>;

enum class Wave { Sine, Square, Saw, Triangle };

// Attack, then an exponential decay with time constant `decay`; all times in seconds.
struct Envelope {
    float attack = 0.005f;
    float decay = 0.1f;
};

// A tone from `start` lasting `length`, its pitch gliding exponentially from f0 to f1.
struct Tone {
    float start, length, f0, f1;
    Wave wave = Wave::Sine;
    float amp = 1.0f;
    Envelope env{};
};

// Noise through a state-variable filter whose centre glides from c0 to c1 (Hz); band = true
// gives a band-pass of quality q, otherwise a low-pass.
struct Noise {
    float start, length, c0, c1;
    bool band = false;
    float q = 1.0f;
    float amp = 1.0f;
    Envelope env{};
    uint32_t seed = 1;
};

// A shouted syllable: an optional consonant (h, t, k, s, y, d or 0) and vowels (a e i o u; r
// is a tongue tap between two vowels) on a falling pitch.
struct Shout {
    float start, length, pitch;
    char consonant;
    const char* vowels;
    float amp = 1.0f;
    uint32_t seed = 1;
};

Buffer silence(float seconds);
void add(Buffer& b, const Tone& t);
void add(Buffer& b, const Noise& n);
void add(Buffer& b, const Shout& s);

// Fades in and out (no clicks), scales the peak to a fixed level and converts to 8-bit
// unsigned samples (128 is silence).
std::vector<uint8_t> finish(const Buffer& b);

}  // namespace media::synth
