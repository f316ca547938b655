// A game object on a scripted platform: tests set device states, press keys, run frames and
// look at the state, the sounds played and the pixels.
#pragma once

#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "game/tform1.h"
#include "platform/platform.h"

namespace pelea::testing {

// Field by field, through the records' name tables (padding bytes are not compared).
inline size_t fieldSize(FieldKind k) {
    switch (k) {
        case FieldKind::U8:
        case FieldKind::I8:
            return 1;
        case FieldKind::U16:
        case FieldKind::I16:
            return 2;
        case FieldKind::I32:
            return 4;
        case FieldKind::F64:
            return 8;
        case FieldKind::AREA:
            return sizeof(Area);
        case FieldKind::BTN4:
            return sizeof(Buttons4);
        case FieldKind::TEXT:
            return sizeof(ShortText);
    }
    return 0;
}
inline bool sameFields(const void* a, const void* b, std::span<const FieldInfo> fields) {
    for (const FieldInfo& f : fields) {
        const auto* pa = static_cast<const unsigned char*>(a) + f.offset;
        const auto* pb = static_cast<const unsigned char*>(b) + f.offset;
        if (std::memcmp(pa, pb, fieldSize(f.kind)) != 0) return false;
    }
    return true;
}
inline bool sameState(const GameState& a, const GameState& b) {
    if (a.rng != b.rng || !sameFields(&a.m, &b.m, kMatchFields)) return false;
    for (size_t n = 1; n <= 2; ++n) {
        if (!sameFields(&a.lutador[n], &b.lutador[n], kLutadorFields)) return false;
    }
    for (size_t i = 1; i <= kEffectSlots; ++i) {
        if (!sameFields(&a.efeitos[i], &b.efeitos[i], kEfeitoFields)) return false;
    }
    return true;
}

class FakeAudio : public media::AudioOut {
public:
    int upload(const media::SoundData&) override { return uploads++; }
    void play(int handle, bool looped) override { plays.emplace_back(handle, looped); }
    void stop(int handle) override { stops.push_back(handle); }
    void reset() override {
        uploads = 0;
        ++resets;
    }
    int uploads = 0;
    int resets = 0;
    std::vector<std::pair<int, bool>> plays;
    std::vector<int> stops;
};

class FakePlatform : public platform::Platform {
public:
    bool initDisplay(bool fs) override {
        displayInits.push_back(fs);
        return true;
    }
    void present(const media::Surface&, int) override {}
    void pollEvents(std::vector<int>&, bool&) override {}
    bool active() override { return isActive; }
    uint64_t nowMs() override { return now; }
    void sleepMs(uint32_t ms) override { now += ms; }
    media::AudioOut& audio() override { return audioOut; }
    bool foreground() override { return isActive; }
    uint32_t keyboardRaw() override { return keyboard; }
    uint32_t joystickRaw() override { return joystick; }

    uint32_t keyboard = 0;
    uint32_t joystick = 0;
    bool isActive = true;
    uint64_t now = 0;
    std::vector<bool> displayInits;
    FakeAudio audioOut;
};

struct Game {
    explicit Game(uint64_t seed = 1, bool demo = false) : form(plat, options(seed, demo)) {
        form.FormCreate();
        // No music file is found in the test folder; give every sound a sample and bring the
        // sound device up so the sounds the game plays can be seen.
        for (media::WaveList* list : {&form.DXWaveListSnd, &form.DXWaveListVitoria}) {
            for (int i = 0; i < list->Count(); ++i)
                list->Items(i).data.samples = {0, 0};
        }
        form.DXSound1.Initialize();
        form.Canvas.recordTexts(&texts);
    }
    static StartOptions options(uint64_t seed, bool demo) {
        StartOptions o;
        o.seeded = true;
        o.seed = seed;
        o.demo = demo;
        return o;
    }

    // Runs one frame and returns the sounds it played as "Snd:k" strings.
    std::vector<std::string> frame() {
        form.DXSound1.clearPlayed();
        texts.clear();
        form.DXTimer1Timer();
        return sounds();
    }
    void frames(int n) {
        for (int i = 0; i < n; ++i)
            frame();
    }
    std::vector<std::string> key(int vk) {
        form.DXSound1.clearPlayed();
        form.FormKeyDown(vk);
        return sounds();
    }
    std::vector<std::string> sounds() const {
        std::vector<std::string> out;
        for (int i = 0; i < form.DXSound1.playedCount(); ++i) {
            const media::SoundEvent& e = form.DXSound1.played()[i];
            out.push_back(std::string(e.list) + ":" + std::to_string(e.index));
        }
        return out;
    }
    // A fight past its intro: the match started from the select screen, both fighters free.
    void pastIntro() {
        m().modoTela = tela::Selecao;
        form.iniciarLuta();
        m().inicioRound = kIntroOver;
        m().lutaParada = 0;
    }
    static constexpr uint8_t kIntroOver = 71;  // the intro's last frame: the fighters are let go

    // From the title, through the slide-in, to the select screen's choosing phase.
    void toChoosing() {
        plat.keyboard = media::isButton1;
        frame();
        plat.keyboard = 0;
        while (form.g.m.faseSelecao != 2)
            frame();
    }
    MatchState& m() { return form.g.m; }
    GameState& g() { return form.g; }
    Lutador& L(int n) { return form.L(n); }

    // Whether the last frame drew this text (in any colour but the black of its shadow).
    bool shows(std::string_view text) const {
        for (const media::Canvas::DrawnText& t : texts) {
            if (t.text == text && t.color != media::kBlack) return true;
        }
        return false;
    }

    FakePlatform plat;
    TForm1 form;
    std::vector<media::Canvas::DrawnText> texts;  // what the last frame wrote on the screen
};

}  // namespace pelea::testing
