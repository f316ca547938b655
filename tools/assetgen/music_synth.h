// The sequencer under the music tracks: oscillators with envelopes, drums made of noise and
// falling sine tones, and a loop buffer into which every sound is added with its tail wrapped
// round to the start, so the loop point is seamless.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace assetgen::synth {

enum class Wave { Sine, Triangle, Square, Pulse, Saw };

struct Voice {
    Wave wave = Wave::Square;
    double attack = 0.005, decay = 0.1, sustain = 0.6, release = 0.05;  // seconds, level
    double gain = 0.3;
    double cutoff = 4000;  // Hz, a two-pole low-pass softening the oscillator
    double vibrato = 0;    // depth in semitones, at 5.5 Hz after the first tenth of a second
    double detune = 0;     // a second oscillator this many semitones off, mixed in equally
    double glideFrom = 0;  // the note starts this many semitones off and slides in
};

enum class Drum { Kick, Snare, Clap, HatClosed, HatOpen, CongaHigh, CongaLow, Clave, Cowbell, Tom };

// Midi note number of a name such as "A4", "C#5" or "Bb3"; −1 when it is not one.
int noteNumber(std::string_view name);
double frequency(int midi);

class Loop {
public:
    // bars of 16 steps of stepSamples each, at `rate` samples per second.
    Loop(int rate, int stepSamples, int bars, uint32_t seed);

    int bars() const { return bars_; }
    size_t at(int bar, int step) const;  // first sample of a step (bar may run past the end)

    void note(size_t pos, const Voice& v, int midi, int steps, bool echo = false);
    void drum(size_t pos, Drum d, double gain);
    // One bar line: space-separated tokens, each `stepsPerToken` steps long: a note name starts a
    // note, "-" holds the previous one, "." is a rest. Notes are shifted by `transpose`.
    void line(int bar, const Voice& v, std::string_view tokens, int stepsPerToken,
              int transpose = 0, bool echo = false);
    // Drum pattern of one bar: 16 characters, 'x' loud, 'o' soft, anything else silent.
    void pattern(int bar, Drum d, std::string_view steps, double gain);

    // The mixed loop with the echo bus added, scaled so the loudest sample is `peak`.
    std::vector<int16_t> finish(int peak, double echoSeconds, double echoFeedback) const;

private:
    void add(std::vector<float>& bus, size_t pos, const std::vector<float>& sound);
    int rate_, step_, bars_;
    uint32_t noise_;
    std::vector<float> dry_, wet_, scratch_;
};

}  // namespace assetgen::synth
