// Sound: wave lists of items that play, overlap and loop, over an output the platform supplies.
// Items hold their sound converted to one format (signed 16-bit stereo at 44100 Hz), which the
// mixer plays as it is.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace media {

// Samples that copies share until one of them changes: a decoded track given to an item, and by
// the item to the mixer, is one block of memory (a match start run again after a rollback that
// draws another track copies none of it).
class Samples {
public:
    Samples() = default;
    Samples(std::vector<int16_t> v) { *this = std::move(v); }  // NOLINT: taken as a vector
    Samples(std::initializer_list<int16_t> l) : Samples(std::vector<int16_t>(l)) {}
    Samples& operator=(std::vector<int16_t> v) {
        data_ = v.empty() ? nullptr : std::make_shared<std::vector<int16_t>>(std::move(v));
        return *this;
    }
    Samples& operator=(std::initializer_list<int16_t> l) { return *this = std::vector<int16_t>(l); }

    size_t size() const { return data_ ? data_->size() : 0; }
    bool empty() const { return size() == 0; }
    size_t capacity() const { return data_ ? data_->capacity() : 0; }
    const int16_t* data() const { return data_ ? data_->data() : nullptr; }
    int16_t* data() { return own().data(); }
    int16_t operator[](size_t i) const { return (*data_)[i]; }
    int16_t& operator[](size_t i) { return own()[i]; }
    const int16_t* begin() const { return data(); }
    const int16_t* end() const { return data() + size(); }
    void resize(size_t n) { own().resize(n); }
    void assign(size_t n, int16_t v) { own().assign(n, v); }
    const std::vector<int16_t>& vector() const;
    operator const std::vector<int16_t>&() const { return vector(); }  // NOLINT: read as one

    friend bool operator==(const Samples& a, const Samples& b) {
        return a.data_ == b.data_ || a.vector() == b.vector();
    }
    friend bool operator==(const Samples& a, const std::vector<int16_t>& b) {
        return a.vector() == b;
    }

private:
    // The samples, these alone, about to change.
    std::vector<int16_t>& own();
    std::shared_ptr<std::vector<int16_t>> data_;  // null when there are none
};

struct SoundData {
    static constexpr int kRate = 44100;
    static constexpr int kChannels = 2;
    Samples samples;  // interleaved left, right
    // The decoded file these samples are (a number the loader gives each, never reused), 0 for
    // any other sound: a sound layer knows a file it was given before without comparing it.
    uint64_t source = 0;
    bool empty() const { return samples.empty(); }
    size_t frames() const { return samples.size() / kChannels; }
};

// What the platform's mixer offers the wave lists.
class AudioOut {
public:
    virtual ~AudioOut() = default;
    // Makes a sound playable and returns its handle (≥ 0), or −1 when it cannot.
    virtual int upload(const SoundData& data) = 0;
    // Plays a copy of the sound; copies overlap. A looped sound is stopped, rewound and looped.
    virtual void play(int handle, bool looped) = 0;
    // Stops every playing copy of the sound.
    virtual void stop(int handle) = 0;
    // Stops everything and forgets every uploaded sound.
    virtual void reset() = 0;
};

// A sound played in the current frame, for the headless trace.
struct SoundEvent {
    const char* list;  // "Snd", "Vitoria" or "Musica"
    int index;
};

class WaveList;

// The sound device. It comes up only through Initialize; until then Play and Stop do nothing.
class DXSound {
public:
    explicit DXSound(AudioOut& out) : out_(out) {}

    // (Re)creates the device: stops everything and makes every item of every attached list
    // playable.
    void Initialize();
    void Finalize();
    bool Initialized() const { return initialized_; }

    // Mute frames: Play records and plays nothing.
    bool mute = false;

    // Sounds played since the last clearPlayed (at most kMaxEvents are kept).
    static constexpr int kMaxEvents = 64;
    const SoundEvent* played() const { return played_.data(); }
    int playedCount() const { return playedCount_; }
    void clearPlayed() { playedCount_ = 0; }

    AudioOut& out() { return out_; }

private:
    friend class WaveList;
    void attach(WaveList* list) { lists_.push_back(list); }
    void record(const char* list, int index);

    AudioOut& out_;
    bool initialized_ = false;
    std::vector<WaveList*> lists_;
    std::array<SoundEvent, kMaxEvents> played_{};
    int playedCount_ = 0;
};

class WaveItem {
public:
    SoundData data;
    bool Looped = false;
    int MaxPlayingCount = 0;

private:
    friend class WaveList;
    friend class DXSound;
    int handle_ = -1;
};

class WaveList {
public:
    // name is what the trace calls the list ("Snd", "Vitoria", "Musica").
    WaveList(const char* name, DXSound& sound) : name_(name), sound_(sound) { sound.attach(this); }

    WaveItem& Items(int i) { return items_[static_cast<size_t>(i)]; }
    int Count() const { return static_cast<int>(items_.size()); }
    WaveItem& Add() { return items_.emplace_back(); }
    const char* name() const { return name_; }

    // A looped item is stopped, rewound and started looping; any other item starts one more
    // overlapping copy. Nothing happens before the device is initialised, on mute frames, for an
    // index out of range or for an empty item.
    void Play(int i);
    void Stop(int i);
    // Loads a RIFF WAVE file into item i; false when it is missing or invalid.
    bool LoadFromFile(int i, const std::string& path);

private:
    friend class DXSound;
    const char* name_;
    DXSound& sound_;
    std::deque<WaveItem> items_;
};

}  // namespace media
