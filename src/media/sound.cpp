#include "media/sound.h"

#include "media/loaders.h"

namespace media {

const std::vector<int16_t>& Samples::vector() const {
    static const std::vector<int16_t> none;
    return data_ ? *data_ : none;
}

std::vector<int16_t>& Samples::own() {
    if (!data_) {
        data_ = std::make_shared<std::vector<int16_t>>();
    } else if (data_.use_count() > 1) {
        data_ = std::make_shared<std::vector<int16_t>>(*data_);
    }
    return *data_;
}

void DXSound::Initialize() {
    out_.reset();
    for (WaveList* list : lists_) {
        for (WaveItem& item : list->items_) {
            item.handle_ = item.data.empty() ? -1 : out_.upload(item.data);
        }
    }
    initialized_ = true;
}

void DXSound::Finalize() {
    out_.reset();
    for (WaveList* list : lists_) {
        for (WaveItem& item : list->items_)
            item.handle_ = -1;
    }
    initialized_ = false;
}

void DXSound::record(const char* list, int index) {
    if (playedCount_ >= kMaxEvents) return;
    played_[static_cast<size_t>(playedCount_++)] = SoundEvent{list, index};
}

void WaveList::Play(int i) {
    if (!sound_.initialized_ || sound_.mute || i < 0 || i >= Count()) return;
    const WaveItem& item = items_[static_cast<size_t>(i)];
    if (item.data.empty()) return;
    // The request is recorded even if the mixer refused the upload, so traces do not depend on
    // the audio device.
    if (item.handle_ >= 0) sound_.out_.play(item.handle_, item.Looped);
    sound_.record(name_, i);
}

void WaveList::Stop(int i) {
    if (!sound_.initialized_ || sound_.mute || i < 0 || i >= Count()) return;
    const WaveItem& item = items_[static_cast<size_t>(i)];
    if (item.handle_ >= 0) sound_.out_.stop(item.handle_);
}

bool WaveList::LoadFromFile(int i, const std::string& path) {
    if (i < 0 || i >= Count()) return false;
    // The loader leaves the item as it was unless the file loads, and copies nothing when the
    // item already holds that file.
    return loadSound(path, items_[static_cast<size_t>(i)].data) == LoadResult::Ok;
}

}  // namespace media
