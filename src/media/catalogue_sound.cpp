#include "media/catalogue_sound.h"

#include <array>

#include "media/catalogue.h"
#include "media/paint.h"
#include "media/synth.h"
#include "media/wav_writer.h"

namespace media {

namespace {

using synth::add;
using synth::Buffer;
using synth::Envelope;
using synth::Noise;
using synth::Shout;
using synth::silence;
using synth::Tone;
using synth::Wave;

void note(Buffer& b, float start, float length, float freq, Wave w, float amp, float decay) {
    add(b, Tone{start, length, freq, freq, w, amp, Envelope{0.003f, decay}});
}

// Notes in a row, each `step` seconds after the last; the last one rings longer.
void arpeggio(Buffer& b, const std::vector<float>& freqs, float step, Wave w, float tail) {
    for (size_t i = 0; i < freqs.size(); ++i) {
        const bool last = i + 1 == freqs.size();
        const float start = step * static_cast<float>(i);
        note(b, start, last ? tail : step * 1.6f, freqs[i], w, 0.6f, last ? tail * 0.4f : step);
        note(b, start, last ? tail : step * 1.6f, freqs[i] * 2.0f, Wave::Sine, 0.2f, step);
    }
}

// A blow landing: a noise crack over a falling thump; weight 0 light … 2 special.
Buffer hit(int weight) {
    const float w = static_cast<float>(weight);
    Buffer b = silence(0.16f + 0.09f * w);
    add(b, Noise{0.0f, 0.05f + 0.03f * w, 3200.0f - 700.0f * w, 900.0f, false, 1.0f, 1.0f,
                 Envelope{0.001f, 0.025f + 0.015f * w}, 11u + static_cast<uint32_t>(weight)});
    add(b, Tone{0.0f, 0.1f + 0.07f * w, 190.0f - 35.0f * w, 70.0f - 15.0f * w, Wave::Sine, 1.1f,
                Envelope{0.002f, 0.05f + 0.03f * w}});
    if (weight == 2)
        add(b, Tone{0.0f, 0.2f, 80.0f, 45.0f, Wave::Square, 0.35f, Envelope{0.002f, 0.07f}});
    return b;
}

Buffer swing(bool heavy) {
    const float len = heavy ? 0.26f : 0.16f;
    Buffer b = silence(len);
    add(b, Noise{0.0f, len, heavy ? 380.0f : 800.0f, heavy ? 1500.0f : 2800.0f, true, 2.2f, 1.0f,
                 Envelope{len * 0.45f, len * 0.25f}, heavy ? 21u : 22u});
    return b;
}

Buffer block() {
    Buffer b = silence(0.13f);
    add(b, Noise{0.0f, 0.04f, 1300.0f, 1100.0f, true, 5.0f, 1.0f, Envelope{0.001f, 0.015f}, 31});
    note(b, 0.0f, 0.08f, 310.0f, Wave::Square, 0.5f, 0.018f);
    note(b, 0.0f, 0.1f, 140.0f, Wave::Sine, 0.6f, 0.03f);
    return b;
}

Buffer fall() {
    Buffer b = silence(0.36f);
    add(b, Tone{0.0f, 0.34f, 95.0f, 34.0f, Wave::Sine, 1.0f, Envelope{0.002f, 0.11f}});
    add(b, Noise{0.0f, 0.2f, 500.0f, 150.0f, false, 1.0f, 0.8f, Envelope{0.001f, 0.05f}, 41});
    return b;
}

Buffer superPause() {
    Buffer b = silence(0.5f);
    add(b, Tone{0.0f, 0.58f, 110.0f, 880.0f, Wave::Saw, 0.45f, Envelope{0.2f, 0.5f}});
    add(b, Tone{0.0f, 0.58f, 165.0f, 1320.0f, Wave::Square, 0.2f, Envelope{0.2f, 0.5f}});
    add(b, Noise{0.0f, 0.58f, 400.0f, 4000.0f, true, 1.5f, 0.5f, Envelope{0.3f, 0.3f}, 51});
    note(b, 0.36f, 0.22f, 1760.0f, Wave::Triangle, 0.25f, 0.1f);
    return b;
}

enum class Kind { Voice, Fireball, Electric, Roar, Wind, Bats, Beam, Magic, Ice, Ghost };

struct MoveSound {
    Kind kind;
    float pitch;
    char consonant;
    const char* vowels;
};

// Move sounds of the characters, items 14 … 56 (item 19 is the super pause, not a move).
constexpr int kFirstMove = 14;
constexpr int kSuperPause = 19;
constexpr std::array<MoveSound, kSndItems - kFirstMove> kMoves = {{
    {Kind::Voice, 140, 'h', "a"},    // 14  character 1
    {Kind::Fireball, 140, 0, ""},    // 15
    {Kind::Voice, 140, 'h', "ia"},   // 16
    {Kind::Voice, 140, 't', "ora"},  // 17
    {Kind::Beam, 140, 0, ""},        // 18
    {Kind::Voice, 0, 0, ""},         // 19  (super pause)
    {Kind::Voice, 225, 'h', "ia"},   // 20  character 2
    {Kind::Magic, 225, 0, ""},       // 21
    {Kind::Voice, 225, 's', "ei"},   // 22
    {Kind::Voice, 118, 'k', "ua"},   // 23  character 3
    {Kind::Magic, 118, 0, ""},       // 24
    {Kind::Voice, 102, 'h', "o"},    // 25  character 4
    {Kind::Fireball, 102, 0, ""},    // 26
    {Kind::Roar, 102, 0, ""},        // 27
    {Kind::Voice, 102, 't', "oa"},   // 28
    {Kind::Ice, 172, 0, ""},         // 29  character 5
    {Kind::Voice, 172, 'h', "ei"},   // 30
    {Kind::Voice, 172, 'y', "a"},    // 31
    {Kind::Voice, 172, 't', "ora"},  // 32
    {Kind::Electric, 150, 0, ""},    // 33  character 6
    {Kind::Electric, 190, 0, ""},    // 34
    {Kind::Voice, 150, 'h', "ua"},   // 35
    {Kind::Voice, 245, 'h', "ia"},   // 36  character 7
    {Kind::Voice, 245, 'k', "ia"},   // 37
    {Kind::Voice, 245, 's', "ea"},   // 38
    {Kind::Ghost, 86, 'h', "uo"},    // 39  character 8
    {Kind::Fireball, 86, 0, ""},     // 40
    {Kind::Magic, 86, 0, ""},        // 41
    {Kind::Bats, 86, 0, ""},         // 42
    {Kind::Voice, 200, 'h', "e"},    // 43  character 9
    {Kind::Voice, 200, 'y', "ao"},   // 44
    {Kind::Voice, 200, 't', "a"},    // 45
    {Kind::Voice, 200, 'h', "ora"},  // 46
    {Kind::Voice, 130, 'h', "ai"},   // 47  character 10
    {Kind::Voice, 130, 'k', "ora"},  // 48
    {Kind::Voice, 130, 'd', "a"},    // 49
    {Kind::Voice, 112, 'h', "u"},    // 50  character 11
    {Kind::Wind, 112, 0, ""},        // 51
    {Kind::Voice, 112, 'y', "oa"},   // 52
    {Kind::Voice, 262, 'h', "a"},    // 53  character 12
    {Kind::Magic, 262, 0, ""},       // 54
    {Kind::Voice, 262, 'y', "ia"},   // 55
    {Kind::Voice, 262, 't', "ei"},   // 56
}};

// Victory voices: pitch, consonant and vowels per character.
constexpr std::array<MoveSound, kVitoriaItems> kVictory = {{
    {Kind::Voice, 138, 'y', "ea"},
    {Kind::Voice, 232, 'h', "ai"},
    {Kind::Voice, 120, 'h', "oa"},
    {Kind::Voice, 100, 'h', "ou"},
    {Kind::Voice, 176, 'y', "ei"},
    {Kind::Voice, 150, 't', "ao"},
    {Kind::Voice, 252, 'y', "ai"},
    {Kind::Voice, 88, 'h', "uo"},
    {Kind::Voice, 206, 'h', "ea"},
    {Kind::Voice, 130, 'y', "oa"},
    {Kind::Voice, 112, 'h', "ae"},
    {Kind::Voice, 272, 'y', "ia"},
}};

Buffer fireballSound(uint32_t seed) {
    Buffer b = silence(0.36f);
    add(b, Noise{0.0f, 0.44f, 350.0f, 1600.0f, true, 1.8f, 1.0f, Envelope{0.06f, 0.18f}, seed});
    add(b, Tone{0.0f, 0.4f, 150.0f, 55.0f, Wave::Sine, 0.5f, Envelope{0.02f, 0.15f}});
    return b;
}

Buffer electric(float pitch, uint32_t seed) {
    Buffer b = silence(0.36f);
    add(b, Tone{0.0f, 0.44f, pitch * 0.4f, pitch * 0.36f, Wave::Saw, 0.3f, Envelope{0.01f, 0.3f}});
    add(b,
        Tone{0.0f, 0.44f, pitch * 0.8f, pitch * 0.7f, Wave::Square, 0.15f, Envelope{0.01f, 0.3f}});
    Rng rng(seed);
    for (int i = 0; i < 36; ++i) {
        const float at = rng.range(0.0f, 0.4f), centre = rng.range(1800.0f, 5000.0f);
        add(b, Noise{at, 0.006f, centre, centre, true, 2.0f, 1.2f, Envelope{0.0005f, 0.002f},
                     seed + static_cast<uint32_t>(i)});
    }
    return b;
}

Buffer roar(uint32_t seed) {
    Buffer b = silence(0.38f);
    add(b, Noise{0.0f, 0.5f, 1100.0f, 420.0f, false, 1.0f, 1.0f, Envelope{0.03f, 0.22f}, seed});
    add(b, Noise{0.0f, 0.3f, 2400.0f, 900.0f, true, 3.0f, 0.4f, Envelope{0.01f, 0.1f}, seed + 1});
    add(b, Tone{0.0f, 0.48f, 75.0f, 48.0f, Wave::Sine, 0.5f, Envelope{0.02f, 0.2f}});
    return b;
}

Buffer wind(uint32_t seed) {
    Buffer b = silence(0.45f);
    add(b, Noise{0.0f, 0.6f, 450.0f, 1700.0f, true, 3.5f, 1.0f, Envelope{0.22f, 0.25f}, seed});
    add(b, Noise{0.05f, 0.55f, 900.0f, 380.0f, true, 4.0f, 0.7f, Envelope{0.2f, 0.25f}, seed + 1});
    return b;
}

Buffer bats() {
    Buffer b = silence(0.36f);
    for (int i = 0; i < 5; ++i) {
        const float at = 0.07f * static_cast<float>(i);
        add(b, Tone{at, 0.045f, 3400.0f - 120.0f * i, 2200.0f, Wave::Sine, 0.6f,
                    Envelope{0.004f, 0.02f}});
    }
    add(b, Noise{0.0f, 0.4f, 700.0f, 900.0f, true, 2.0f, 0.3f, Envelope{0.05f, 0.2f}, 61});
    return b;
}

Buffer beam() {
    Buffer b = silence(0.45f);
    add(b, Tone{0.0f, 0.58f, 80.0f, 320.0f, Wave::Saw, 0.5f, Envelope{0.05f, 0.45f}});
    add(b, Tone{0.0f, 0.58f, 160.0f, 640.0f, Wave::Square, 0.2f, Envelope{0.05f, 0.45f}});
    add(b, Noise{0.0f, 0.58f, 600.0f, 3000.0f, true, 1.5f, 0.45f, Envelope{0.1f, 0.4f}, 71});
    return b;
}

Buffer magic(float pitch, uint32_t seed) {
    Buffer b = silence(0.36f);
    const float base = 400.0f + pitch * 2.0f;
    add(b, Tone{0.0f, 0.44f, base, base * 1.5f, Wave::Triangle, 0.5f, Envelope{0.02f, 0.25f}});
    add(b, Tone{0.0f, 0.44f, base * 2.0f, base * 3.0f, Wave::Sine, 0.3f, Envelope{0.02f, 0.2f}});
    Rng rng(seed);
    for (int i = 0; i < 8; ++i)
        note(b, rng.range(0.05f, 0.35f), 0.08f, rng.range(2000.0f, 3500.0f), Wave::Sine, 0.2f,
             0.025f);
    return b;
}

Buffer ice(uint32_t seed) {
    Buffer b = silence(0.36f);
    Rng rng(seed);
    for (int i = 0; i < 7; ++i)
        note(b, rng.range(0.0f, 0.25f), 0.1f, rng.range(2000.0f, 4200.0f), Wave::Sine, 0.45f,
             0.03f);
    add(b, Noise{0.0f, 0.3f, 5500.0f, 4000.0f, true, 2.0f, 0.5f, Envelope{0.01f, 0.08f}, seed});
    add(b, Noise{0.0f, 0.2f, 600.0f, 1800.0f, true, 2.0f, 0.5f, Envelope{0.05f, 0.06f}, seed + 1});
    return b;
}

// A voice with a short echo, as if shouted in a hall.
void echo(Buffer& b, float delay, float amount) {
    const auto lag = static_cast<size_t>(delay * synth::kRate);
    for (size_t i = b.size(); i-- > lag;)
        b[i] += b[i - lag] * amount;
}

Buffer moveSound(const MoveSound& m, uint32_t seed) {
    switch (m.kind) {
        case Kind::Voice: {
            Buffer b = silence(0.28f);
            add(b, Shout{0.0f, 0.27f, m.pitch, m.consonant, m.vowels, 1.0f, seed});
            return b;
        }
        case Kind::Ghost: {
            Buffer b = silence(0.42f);
            add(b, Shout{0.0f, 0.36f, m.pitch, m.consonant, m.vowels, 1.0f, seed});
            add(b, Noise{0.0f, 0.4f, 320.0f, 200.0f, true, 4.0f, 0.3f, Envelope{0.1f, 0.2f}, seed});
            echo(b, 0.07f, 0.35f);
            return b;
        }
        case Kind::Fireball:
            return fireballSound(seed);
        case Kind::Electric:
            return electric(m.pitch, seed);
        case Kind::Roar:
            return roar(seed);
        case Kind::Wind:
            return wind(seed);
        case Kind::Bats:
            return bats();
        case Kind::Beam:
            return beam();
        case Kind::Magic:
            return magic(m.pitch, seed);
        case Kind::Ice:
            return ice(seed);
    }
    return silence(0.1f);
}

Buffer effectSound(int index) {
    switch (index) {
        case 0: {
            Buffer b = silence(0.36f);
            note(b, 0.0f, 0.09f, 988.0f, Wave::Square, 0.5f, 0.2f);
            note(b, 0.08f, 0.37f, 1319.0f, Wave::Square, 0.5f, 0.14f);
            note(b, 0.08f, 0.37f, 2638.0f, Wave::Sine, 0.25f, 0.1f);
            return b;
        }
        case 1: {
            Buffer b = silence(0.06f);
            note(b, 0.0f, 0.055f, 880.0f, Wave::Square, 0.6f, 0.03f);
            return b;
        }
        case 2: {
            Buffer b = silence(0.2f);
            arpeggio(b, {660.0f, 990.0f}, 0.06f, Wave::Square, 0.14f);
            return b;
        }
        case 3: {
            Buffer b = silence(0.5f);
            arpeggio(b, {523.0f, 659.0f, 784.0f, 1047.0f}, 0.1f, Wave::Triangle, 0.3f);
            return b;
        }
        case 4: {
            Buffer b = silence(0.5f);
            arpeggio(b, {392.0f, 523.0f, 659.0f, 784.0f, 1047.0f}, 0.08f, Wave::Square, 0.28f);
            return b;
        }
        case 5:
            return swing(false);
        case 6:
            return swing(true);
        case 7:
        case 8:
        case 9:
            return hit(index - 7);
        case 10:
            return block();
        case 11: {
            Buffer b = silence(0.32f);
            arpeggio(b, {784.0f, 988.0f, 1175.0f, 1568.0f}, 0.05f, Wave::Triangle, 0.16f);
            return b;
        }
        case 12:
            return fall();
        case 13: {
            Buffer b = silence(0.42f);
            arpeggio(b, {523.0f, 659.0f, 784.0f, 1047.0f, 1319.0f}, 0.055f, Wave::Square, 0.18f);
            return b;
        }
        case kSuperPause:
            return superPause();
        default:
            return moveSound(kMoves[static_cast<size_t>(index - kFirstMove)],
                             static_cast<uint32_t>(index) * 7u + 3u);
    }
}

Buffer victoryVoice(int index) {
    const MoveSound& v = kVictory[static_cast<size_t>(index)];
    Buffer b = silence(0.62f);
    add(b, Shout{0.0f, 0.5f, v.pitch, v.consonant, v.vowels, 1.0f,
                 100u + static_cast<uint32_t>(index)});
    echo(b, 0.09f, 0.3f);
    return b;
}

}  // namespace

std::vector<uint8_t> builtinSoundWav(BuiltinSounds list, int index) {
    const bool snd = list == BuiltinSounds::Snd;
    if (index < 0 || index >= (snd ? kSndItems : kVitoriaItems)) return {};
    const Buffer b = snd ? effectSound(index) : victoryVoice(index);
    return encodeWav8(synth::finish(b), synth::kRate);
}

}  // namespace media
