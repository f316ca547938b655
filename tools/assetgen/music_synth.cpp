#include "assetgen/music_synth.h"

#include <algorithm>
#include <cmath>

namespace assetgen::synth {

namespace {

constexpr double kTwoPi = 6.283185307179586;
constexpr double kVibratoHz = 5.5;
constexpr double kVibratoDelay = 0.1;
constexpr double kGlideSeconds = 0.06;
constexpr int kMidiA4 = 69;
constexpr double kA4 = 440.0;
constexpr double kArticulation = 0.01;  // seconds
constexpr size_t kControlPeriod = 16;   // samples between pitch updates
constexpr double kDrumAttack = 0.0015;  // seconds: softens the very first edge of every hit

// Band-limited step correction for the saw and square edges (polyBLEP).
double blep(double t, double dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

double oscillator(Wave w, double phase, double dt) {
    switch (w) {
        case Wave::Sine:
            return std::sin(kTwoPi * phase);
        case Wave::Triangle:
            return 1.0 - 4.0 * std::fabs(phase - 0.5);
        case Wave::Saw:
            return 2.0 * phase - 1.0 - blep(phase, dt);
        case Wave::Square:
        case Wave::Pulse: {
            const double duty = w == Wave::Square ? 0.5 : 0.25;
            double v = phase < duty ? 1.0 : -1.0;
            v += blep(phase, dt);
            v -= blep(std::fmod(phase + 1.0 - duty, 1.0), dt);
            return v;
        }
    }
    return 0.0;
}

double envelope(const Voice& v, double t, double held) {
    double level;
    if (t < v.attack) {
        level = t / v.attack;
    } else {
        level = v.sustain + (1.0 - v.sustain) * std::exp(-(t - v.attack) / std::max(v.decay, 1e-4));
    }
    if (t < held) return level;
    const double r = (t - held) / std::max(v.release, 1e-4);
    return r >= 1.0 ? 0.0 : level * (1.0 - r);
}

class LowPass {
public:
    LowPass(double cutoff, int rate) : a_(1.0 - std::exp(-kTwoPi * cutoff / rate)) {}
    double operator()(double x) {
        y1_ += a_ * (x - y1_);
        y2_ += a_ * (y1_ - y2_);
        return y2_;
    }

private:
    double a_, y1_ = 0, y2_ = 0;
};

}  // namespace

int noteNumber(std::string_view name) {
    constexpr int kSemitone[7] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    if (name.size() < 2 || name[0] < 'A' || name[0] > 'G') return -1;
    int n = kSemitone[name[0] - 'A'];
    size_t i = 1;
    if (name[i] == '#')
        ++n, ++i;
    else if (name[i] == 'b')
        --n, ++i;
    if (i + 1 != name.size() || name[i] < '0' || name[i] > '9') return -1;
    return n + 12 * (name[i] - '0' + 1);
}

double frequency(int midi) {
    return kA4 * std::pow(2.0, (midi - kMidiA4) / 12.0);
}

Loop::Loop(int rate, int stepSamples, int bars, uint32_t seed)
    : rate_(rate),
      step_(stepSamples),
      bars_(bars),
      noise_(seed * 2654435761u + 1u),
      dry_(static_cast<size_t>(bars) * 16 * stepSamples, 0.f),
      wet_(dry_.size(), 0.f) {}

size_t Loop::at(int bar, int step) const {
    return static_cast<size_t>(bar * 16 + step) * static_cast<size_t>(step_);
}

void Loop::add(std::vector<float>& bus, size_t pos, const std::vector<float>& sound) {
    const size_t n = bus.size();
    size_t at = pos % n;
    for (float v : sound) {
        bus[at] += v;
        if (++at == n) at = 0;
    }
}

void Loop::note(size_t pos, const Voice& v, int midi, int steps, bool echo) {
    // Notes let go a little early so repeated notes stay apart.
    const double length = static_cast<double>(steps) * step_ / rate_;
    const double held = std::max(length - kArticulation, length / 2);
    const size_t len = static_cast<size_t>((held + v.release) * rate_) + 1;
    scratch_.assign(len, 0.f);
    LowPass lp(v.cutoff, rate_);
    const double f0 = frequency(midi);
    const double detune = std::exp2(v.detune / 12.0);
    double phase = 0, phase2 = 0.25, dt = f0 / rate_, level = 0, slope = 0;
    for (size_t i = 0; i < len; ++i) {
        const double t = static_cast<double>(i) / rate_;
        if (i % kControlPeriod == 0) {  // pitch and envelope move at the control rate
            double semis = v.glideFrom * std::max(0.0, 1.0 - t / kGlideSeconds);
            if (t > kVibratoDelay) semis += v.vibrato * std::sin(kTwoPi * kVibratoHz * t);
            dt = f0 * std::exp2(semis / 12.0) / rate_;
            // The envelope is interpolated in straight lines between control points.
            level = envelope(v, t, held);
            const double next = envelope(v, t + static_cast<double>(kControlPeriod) / rate_, held);
            slope = (next - level) / kControlPeriod;
        }
        double s = oscillator(v.wave, phase, dt);
        if (v.detune != 0) {
            s = 0.5 * (s + oscillator(v.wave, phase2, dt * detune));
            phase2 += dt * detune;
            phase2 -= std::floor(phase2);
        }
        phase += dt;
        phase -= std::floor(phase);
        scratch_[i] = static_cast<float>(lp(s) * level * v.gain);
        level += slope;
    }
    add(echo ? wet_ : dry_, pos, scratch_);
}

void Loop::drum(size_t pos, Drum d, double gain) {
    struct Shape {
        double seconds, startHz, endHz, sweep, toneDecay, noiseDecay, noiseMix, cutoff;
    };
    // A sine falling from startHz to endHz, plus filtered noise; each part decays on its own.
    constexpr Shape kShapes[] = {
        {0.35, 160, 44, 0.04, 0.22, 0.01, 0.08, 3000},    // kick
        {0.22, 220, 180, 0.03, 0.06, 0.09, 0.75, 6000},   // snare
        {0.20, 900, 900, 0.01, 0.01, 0.07, 0.95, 4000},   // clap
        {0.06, 0, 0, 1, 0.01, 0.018, 1.0, 9000},          // closed hat
        {0.25, 0, 0, 1, 0.01, 0.11, 1.0, 9000},           // open hat
        {0.20, 420, 360, 0.02, 0.09, 0.008, 0.12, 5000},  // high conga
        {0.28, 250, 200, 0.03, 0.13, 0.008, 0.10, 5000},  // low conga
        {0.06, 2400, 2400, 1, 0.02, 0.005, 0.0, 8000},    // clave
        {0.18, 560, 560, 1, 0.07, 0.005, 0.0, 5000},      // cowbell (two square partials)
        {0.40, 180, 90, 0.15, 0.18, 0.02, 0.15, 3000},    // tom
    };
    const Shape& s = kShapes[static_cast<int>(d)];
    const size_t len = static_cast<size_t>(s.seconds * rate_);
    scratch_.assign(len, 0.f);
    LowPass lp(s.cutoff, rate_);
    double phase = 0, phase2 = 0, lowNoise = 0;
    const bool bright = d == Drum::HatClosed || d == Drum::HatOpen;
    // The three exponential decays, advanced by one multiplication per sample.
    const double sweepStep = std::exp(-1.0 / (s.sweep * rate_));
    const double toneStep = std::exp(-1.0 / (s.toneDecay * rate_));
    const double noiseStep = std::exp(-1.0 / (s.noiseDecay * rate_));
    double sweep = 1, toneLevel = 1, noiseLevel = 1;
    for (size_t i = 0; i < len; ++i) {
        const double t = static_cast<double>(i) / rate_;
        const double f = s.endHz + (s.startHz - s.endHz) * sweep;
        phase += f / rate_;
        phase -= std::floor(phase);
        double tone = std::sin(kTwoPi * phase);
        if (d == Drum::Cowbell) {
            phase2 += 1.48 * f / rate_;
            phase2 -= std::floor(phase2);
            tone = 0.5 * ((phase < 0.5 ? 1 : -1) + (phase2 < 0.5 ? 1 : -1));
        }
        noise_ ^= noise_ << 13, noise_ ^= noise_ >> 17, noise_ ^= noise_ << 5;
        double n = (noise_ >> 8) / 8388608.0 - 1.0;
        lowNoise += 0.35 * (n - lowNoise);
        if (bright) n -= lowNoise;  // high-passed: only the hiss
        double clapGate = 1.0;
        if (d == Drum::Clap) clapGate = std::fmod(t, 0.011) < 0.006 || t > 0.033 ? 1.0 : 0.3;
        const double fadeOut = std::min({1.0, (len - i) / (0.004 * rate_), t / kDrumAttack});
        const double v =
            (1 - s.noiseMix) * tone * toneLevel + s.noiseMix * n * noiseLevel * clapGate;
        sweep *= sweepStep;
        toneLevel *= toneStep;
        noiseLevel *= noiseStep;
        scratch_[i] = static_cast<float>(lp(v) * gain * fadeOut);
    }
    add(dry_, pos, scratch_);
}

void Loop::line(int bar, const Voice& v, std::string_view tokens, int stepsPerToken, int transpose,
                bool echo) {
    int step = 0, start = -1, midi = -1;
    auto flush = [&](int endStep) {
        if (midi >= 0) note(at(bar, start), v, midi + transpose, endStep - start, echo);
        midi = -1;
    };
    size_t i = 0;
    while (i < tokens.size()) {
        const size_t j = std::min(tokens.find(' ', i), tokens.size());
        const std::string_view tok = tokens.substr(i, j - i);
        i = j + 1;
        if (tok.empty()) continue;
        if (tok != "-") {
            flush(step);
            if (tok != ".") start = step, midi = noteNumber(tok);
        }
        step += stepsPerToken;
    }
    flush(step);
}

void Loop::pattern(int bar, Drum d, std::string_view steps, double gain) {
    for (size_t i = 0; i < steps.size() && i < 16; ++i) {
        if (steps[i] == 'x') drum(at(bar, static_cast<int>(i)), d, gain);
        if (steps[i] == 'o') drum(at(bar, static_cast<int>(i)), d, gain * 0.5);
    }
}

std::vector<int16_t> Loop::finish(int peak, double echoSeconds, double echoFeedback) const {
    const size_t n = dry_.size();
    const size_t delay = static_cast<size_t>(echoSeconds * rate_);
    std::vector<double> mixed(n);
    for (size_t i = 0; i < n; ++i) {
        double s = dry_[i] + wet_[i], g = 1.0;
        for (int tap = 1; tap <= 4; ++tap) {  // the echoes, wrapped round the loop like the notes
            g *= echoFeedback;
            s += g * wet_[(i + n * 4 - delay * tap % n) % n];
        }
        mixed[i] = s;
    }
    double loudest = 1e-9;
    for (double s : mixed)
        loudest = std::max(loudest, std::fabs(s));
    std::vector<int16_t> out(n);
    for (size_t i = 0; i < n; ++i) {
        out[i] = static_cast<int16_t>(std::lround(mixed[i] / loudest * peak));
    }
    return out;
}

}  // namespace assetgen::synth
