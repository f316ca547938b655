#include "media/catalogue.h"

#include <utility>
#include <vector>

#include "media/catalogue_art.h"
#include "media/catalogue_sound.h"
#include "media/loaders.h"

namespace media {

namespace {

// The super-move pause tile is opaque: its key colour is recorded but not applied.
constexpr int kPauseTile = 7;
constexpr TColor kPauseTileKey = rgb(9, 10, 99);

void appendPictures(ImageList& list, std::vector<Picture>&& pictures, int opaque) {
    for (size_t i = 0; i < pictures.size(); ++i) {
        ImageItem& it = list.Add();
        const bool keyed = static_cast<int>(i) != opaque;
        it.Transparent = keyed;
        it.TransparentColor = keyed ? kWhite : kPauseTileKey;
        it.setPicture(std::move(pictures[i]));
        it.Restore();
    }
}

// Synthesises sound k of the two lists taken end to end (the effects, then the voices) and
// reads it back into its item.
void loadSound(WaveList& snd, WaveList& vitoria, int k) {
    const bool effect = k < kSndItems;
    const std::vector<uint8_t> wav = builtinSoundWav(
        effect ? BuiltinSounds::Snd : BuiltinSounds::Vitoria, effect ? k : k - kSndItems);
    WaveItem& it = effect ? snd.Items(k) : vitoria.Items(k - kSndItems);
    decodeSound(wav.data(), wav.size(), it.data);
}

}  // namespace

void criarCatalogo(ImageList& efectos, ImageList& icone, WaveList& snd, WaveList& vitoria) {
    for (int i = 0; i < kSndItems; ++i)
        snd.Add();
    for (int i = 0; i < kVitoriaItems; ++i)
        vitoria.Add();
    appendPictures(efectos, paintEfectos(), -1);
    appendPictures(icone, paintIcone(), kPauseTile);
    for (int k = 0; k < kSndItems + kVitoriaItems; ++k)
        loadSound(snd, vitoria, k);
}

}  // namespace media
