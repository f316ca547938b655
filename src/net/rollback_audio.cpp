#include "net/rollback_audio.h"

#include <algorithm>

namespace net {

void RollbackAudio::beginFrame(int64_t frame, bool live) {
    frame_ = frame;
    live_ = live;
    FrameSounds& s = at(frame);
    if (s.frame != frame) {
        s.frame = frame;
        s.heard.clear();
    }
    s.again.clear();
}

void RollbackAudio::play(int handle, bool looped) {
    if (frame_ < 0) {
        out_.play(handle, looped);
        return;
    }
    FrameSounds& s = at(frame_);
    if (live_) {
        s.heard.push_back({handle, looped});
        out_.play(handle, looped);
    } else {
        s.again.push_back({handle, looped});
    }
}

int RollbackAudio::upload(const media::SoundData& data) {
    for (const Uploaded& u : uploaded_) {
        const bool same = data.source != 0 ? u.source == data.source
                                           : u.source == 0 && u.samples == data.samples.data();
        if (same && u.size == data.samples.size()) return u.handle;
    }
    const int handle = out_.upload(data);
    if (handle >= 0) {
        uploaded_.push_back({data.source, data.samples.data(), data.samples.size(), handle});
    }
    return handle;
}

// A frame run again leaves the mixer as the live frames made it: the uploads that follow are
// answered with the handles the mixer already gave.
void RollbackAudio::reset() {
    if (again()) return;
    uploaded_.clear();
    out_.reset();
}

// A stop is the game's own (the music on the select screen): it happens when it runs live; a
// frame run again stops nothing that is heard.
void RollbackAudio::stop(int handle) {
    if (live_ || frame_ < 0) out_.stop(handle);
}

void RollbackAudio::correct(int64_t from, int64_t to) {
    std::vector<int> gone;
    std::vector<Played> fresh;
    for (int64_t f = from; f < to; ++f) {
        FrameSounds& s = at(f);
        if (s.frame != f) continue;
        std::vector<Played> again = s.again;
        for (const Played& p : s.heard) {
            const auto same = std::find_if(again.begin(), again.end(),
                                           [&p](const Played& a) { return a.handle == p.handle; });
            if (same != again.end()) {
                again.erase(same);
            } else {
                gone.push_back(p.handle);
            }
        }
        fresh.insert(fresh.end(), again.begin(), again.end());
        // What the frame makes now is what counts as heard from here on.
        s.heard = s.again;
    }
    for (const int handle : gone) {
        const bool alsoFresh = std::any_of(
            fresh.begin(), fresh.end(), [handle](const Played& p) { return p.handle == handle; });
        if (!alsoFresh) out_.stop(handle);
    }
    for (const Played& p : fresh) {
        const bool wasCut = std::find(gone.begin(), gone.end(), p.handle) != gone.end();
        if (!wasCut) out_.play(p.handle, p.looped);
    }
    // Until the next frame begins, a sound is the game's own, heard at once.
    frame_ = -1;
    live_ = true;
}

}  // namespace net
