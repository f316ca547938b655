#include "assetgen/music.h"

#include <array>
#include <string>

#include "assetgen/assetgen.h"
#include "assetgen/files.h"
#include "assetgen/music_synth.h"
#include "media/wav_writer.h"

namespace assetgen {

namespace {

using synth::Drum;
using synth::Loop;
using synth::Voice;
using synth::Wave;

constexpr int kSteps = 16;
constexpr int kEighth = 2;  // steps per eighth note
constexpr int kMono = 1;

// Samples per sixteenth note at a tempo, rounded so a bar is a whole number of samples.
constexpr int stepSamples(int bpm) {
    return (kMusicRate * 60 + bpm * 2) / (bpm * 4);
}

struct Chord {
    int root;                  // midi note of the bass
    std::array<int, 3> tones;  // the voicing above it
};

// Plays chord tones: each character of `steps` is a tone number 1…3 (4 = the root an octave
// above the voicing's root) or a rest.
void chordPattern(Loop& m, int bar, const Voice& v, const Chord& c, std::string_view steps,
                  int len) {
    for (size_t i = 0; i < steps.size(); ++i) {
        const char t = steps[i];
        if (t < '1' || t > '4') continue;
        const int midi = t == '4' ? c.tones[0] + 12 : c.tones[static_cast<size_t>(t - '1')];
        m.note(m.at(bar, static_cast<int>(i)), v, midi, len);
    }
}

void stab(Loop& m, size_t pos, const Voice& v, const Chord& c, int steps) {
    for (int t : c.tones)
        m.note(pos, v, t, steps);
}

// --- 1: a driving minor-key track ------------------------------------------------------------

constexpr Chord kAm{45, {57, 60, 64}}, kF{41, {53, 57, 60}}, kG{43, {55, 59, 62}},
    kE{40, {52, 56, 59}};

constexpr const char* kDriveLead[4][4] = {
    {"A4 - C5 - E5 - D5 C5", "F5 - E5 - C5 - A4 -", "G4 - B4 - D5 - E5 D5", "E5 - - - G#4 - B4 -"},
    {"A4 - C5 - E5 - A5 -", "G5 F5 E5 - C5 - F5 -", "D5 - G5 - F5 E5 D5 B4", "E5 - - - - - . ."},
    {"E5 E5 A5 - E5 A5 C6 -", "C6 - A5 - F5 - C6 A5", "B5 - G5 - D5 - B5 G5",
     "G#5 - E5 - B4 - E5 G#5"},
    {"A5 - G5 - E5 - C5 -", "A4 C5 F5 - A5 - G5 F5", "G5 - D5 - B4 - D5 G5", "B5 - - - G#5 - - -"},
};
constexpr const char* kDriveCalm[4] = {"A5 - - - - - - -", "F5 - - - - - - -", "G5 - - - D5 - - -",
                                       "E5 - - - - - - -"};

std::vector<int16_t> drivingTrack() {
    constexpr int kBars = 24;
    Loop m(kMusicRate, stepSamples(150), kBars, 11);
    const Voice bass{Wave::Saw, 0.004, 0.12, 0.5, 0.03, 0.34, 900};
    const Voice lead{Wave::Square, 0.006, 0.2, 0.55, 0.06, 0.17, 3200, 0.18, 0, 0.6};
    const Voice pad{Wave::Saw, 0.01, 0.15, 0.35, 0.08, 0.07, 2200, 0, 0.12};
    const Voice arp{Wave::Pulse, 0.002, 0.06, 0.2, 0.03, 0.06, 3500};
    constexpr Chord kChords[4] = {kAm, kF, kG, kE};
    for (int bar = 0; bar < kBars; ++bar) {
        const Chord& c = kChords[bar % 4];
        const bool intro = bar < 4, calm = bar >= 20;
        constexpr int kBassOffsets[8] = {0, 0, 12, 0, 0, 0, 12, 7};
        for (int e = 0; e < 8; ++e) {
            if (calm && e % 2) continue;
            m.note(m.at(bar, e * kEighth), bass, c.root + kBassOffsets[e], calm ? 2 * kEighth : 1);
        }
        stab(m, m.at(bar, 2), pad, c, 2);
        stab(m, m.at(bar, 10), pad, c, calm ? 6 : 2);
        if (bar >= 12 && bar < 20) chordPattern(m, bar, arp, c, "1234321412343214", 1);
        if (!intro && !calm)
            m.line(bar, lead, kDriveLead[(bar - 4) / 4][bar % 4], kEighth, 0, true);
        if (calm) m.line(bar, lead, kDriveCalm[bar % 4], kEighth, 0, true);
        m.pattern(bar, Drum::Kick, calm ? "x.......x......." : "x.....x.x.....x.", 0.9);
        m.pattern(bar, Drum::HatClosed, calm ? "..x...x...x...x." : "x.o.x.o.x.o.x.o.", 0.22);
        if (intro && bar < 3) continue;
        const bool fill = bar % 4 == 3;
        m.pattern(bar, Drum::Snare, fill ? "....x.......xoxx" : "....x.......x...", 0.55);
        if (bar % 8 == 7) m.pattern(bar, Drum::Tom, "........x.o.x.o.", 0.5);
        if (bar % 4 == 0) m.drum(m.at(bar, 0), Drum::HatOpen, 0.25);
    }
    return m.finish(kMusicPeak, 0.3, 0.3);
}

// --- 2: a latin-flavoured track with percussion ----------------------------------------------

constexpr Chord kDm7{38, {53, 57, 60}}, kG7{43, {53, 55, 59}}, kA7{45, {55, 57, 61}},
    kBb{46, {53, 58, 62}}, kGm{43, {55, 58, 62}};

constexpr const char* kLatinLead[3][4] = {
    {"A4 . D5 - F5 - E5 D5", "B4 - D5 - G5 - F5 E5", "D5 - A4 - F5 - A5 -", "G5 - E5 - C#5 - A4 -"},
    {"D5 . F5 A5 - G5 F5 -", "G5 - F5 - E5 - D5 B4", "A4 - D5 - F5 E5 D5 C5",
     "C#5 - E5 - A5 - - -"},
    {"F5 - D5 - Bb4 - D5 F5", "E5 - C#5 - A4 - C#5 E5", "D5 - Bb4 - G4 - Bb4 D5",
     "C#5 - E5 - G5 - A5 -"},
};

std::vector<int16_t> latinTrack() {
    constexpr int kBars = 20;
    Loop m(kMusicRate, stepSamples(120), kBars, 22);
    const Voice bass{Wave::Triangle, 0.004, 0.3, 0.5, 0.05, 0.6, 1200};
    const Voice piano{Wave::Pulse, 0.002, 0.12, 0.12, 0.06, 0.09, 2800};
    const Voice brass{Wave::Saw, 0.025, 0.2, 0.7, 0.07, 0.16, 2400, 0.15, 0.1};
    const Voice flute{Wave::Triangle, 0.03, 0.2, 0.7, 0.08, 0.3, 5000, 0.2};
    constexpr Chord kVerse[4] = {kDm7, kG7, kDm7, kA7};
    constexpr Chord kBridge[4] = {kBb, kA7, kGm, kA7};
    for (int bar = 0; bar < kBars; ++bar) {
        const bool bridge = bar >= 12 && bar < 16;
        const Chord& c = bridge ? kBridge[bar % 4] : kVerse[bar % 4];
        const Chord& next = bridge ? kBridge[(bar + 1) % 4] : kVerse[(bar + 1) % 4];
        // The tumbao: the fifth on the and of two, the next chord's root anticipated on four.
        m.note(m.at(bar, 0), bass, c.root, 3);
        m.note(m.at(bar, 6), bass, c.root + 7, 6);
        m.note(m.at(bar, 12), bass, next.root, 4);
        chordPattern(m, bar, piano, c, "1.32.31.2.32.31.", 1);
        if (bar >= 4 && bar < 16) {
            const int phrase = bridge ? 2 : (bar - 4) / 4;
            m.line(bar, brass, kLatinLead[phrase][bar % 4], kEighth, 0, true);
        }
        if (bar >= 16) m.line(bar, flute, kLatinLead[0][bar % 4], kEighth, 12, true);
        m.pattern(bar, Drum::Clave, bar % 2 ? "....x...x......." : "x.....x.....x...", 0.3);
        m.pattern(bar, Drum::CongaHigh, "o..ox.o.o..ox.o.", 0.5);
        m.pattern(bar, Drum::CongaLow, "...........x..xx", 0.5);
        m.pattern(bar, Drum::Cowbell, bar < 4 ? "" : "x...x.x.x...x.x.", 0.16);
        m.pattern(bar, Drum::HatClosed, "oxoxoxoxoxoxoxox", 0.1);
        m.pattern(bar, Drum::Kick, "x.......x.....o.", 0.6);
        if (bar % 4 == 3) m.pattern(bar, Drum::Tom, "........x.x.xx.x", 0.35);
    }
    return m.finish(kMusicPeak, 0.25, 0.25);
}

// --- 3: a tense synth track ------------------------------------------------------------------

constexpr Chord kEm{40, {52, 55, 59}}, kFm{41, {53, 57, 60}}, kC{36, {52, 55, 60}},
    kB{35, {51, 54, 59}};

constexpr const char* kTenseLead[8] = {
    "E5 - - - - - G5 -", "F#5 - - - E5 - - -",  "F5 - - - A5 - - -",  "G5 - F5 - E5 - - -",
    "B5 - - - - - A5 -", "G5 - - - F#5 - E5 -", "E5 - - - G5 - C6 -", "B5 - - - D#5 - F#5 -",
};

std::vector<int16_t> tenseTrack() {
    constexpr int kBars = 24;
    Loop m(kMusicRate, stepSamples(132), kBars, 33);
    const Voice bass{Wave::Saw, 0.003, 0.08, 0.3, 0.02, 0.3, 700};
    const Voice arp{Wave::Pulse, 0.002, 0.05, 0.25, 0.03, 0.08, 3000};
    const Voice lead{Wave::Square, 0.02, 0.3, 0.7, 0.12, 0.15, 2600, 0.25, 0.08, 1.0};
    const Voice drone{Wave::Saw, 0.4, 0.5, 0.8, 0.3, 0.05, 900, 0, 0.1};
    constexpr Chord kChords[8] = {kEm, kEm, kFm, kEm, kEm, kEm, kC, kB};
    for (int bar = 0; bar < kBars; ++bar) {
        const Chord& c = kChords[bar % 8];
        const bool intro = bar < 4, breakdown = bar >= 16 && bar < 20;
        for (int s = 0; s < kSteps; ++s) {
            if (breakdown && s % 4) continue;
            m.note(m.at(bar, s), bass, c.root + (s % 4 == 3 ? 12 : 0), breakdown ? 4 : 1);
        }
        chordPattern(m, bar, arp, c, bar % 2 ? "4321432143214321" : "1234123412341234", 1);
        m.note(m.at(bar, 0), drone, c.tones[0] - 12, kSteps);
        if (!intro) m.line(bar, lead, kTenseLead[bar % 8], kEighth, 0, true);
        m.pattern(bar, Drum::HatOpen, "..x...x...x...x.", 0.12);
        if (intro || breakdown) continue;
        m.pattern(bar, Drum::Kick, "x...x...x...x...", 0.95);
        m.pattern(bar, Drum::Clap, "....x.......x...", 0.45);
        if (bar % 8 == 7) m.pattern(bar, Drum::Tom, "........x.x.xxx.", 0.5);
    }
    return m.finish(kMusicPeak, 0.34, 0.35);
}

using TrackMaker = std::vector<int16_t> (*)();
constexpr TrackMaker kTracks[kTrackCount] = {drivingTrack, latinTrack, tenseTrack};

}  // namespace

std::vector<int16_t> renderTrack(int k) {
    if (k < 1 || k > kTrackCount) return {};
    return kTracks[k - 1]();
}

bool writeMusic(const std::string& dir) {
    for (int k = 1; k <= kTrackCount; ++k) {
        const std::string name = "Musica-" + twoDigits(k) + ".wav";
        const auto bytes = media::encodeWav16(renderTrack(k), kMusicRate, kMono);
        if (!media::writeFile(inDir(dir, name), bytes)) return false;
    }
    return true;
}

}  // namespace assetgen
