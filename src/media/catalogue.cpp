#include "media/catalogue.h"

namespace media {

namespace {

// The super-move pause tile is opaque: its key colour is recorded but not applied.
constexpr int kPauseTile = 7;
constexpr TColor kPauseTileKey = rgb(9, 10, 99);

}  // namespace

void criarCatalogo(ImageList& efectos, ImageList& icone, WaveList& snd, WaveList& vitoria) {
    for (int i = 0; i < kEfectosItems; ++i) {
        ImageItem& it = efectos.Add();
        it.Transparent = true;
        it.TransparentColor = kWhite;
    }
    for (int i = 0; i < kIconeItems; ++i) {
        ImageItem& it = icone.Add();
        it.Transparent = i != kPauseTile;
        it.TransparentColor = i == kPauseTile ? kPauseTileKey : kWhite;
    }
    for (int i = 0; i < kSndItems; ++i)
        snd.Add();
    for (int i = 0; i < kVitoriaItems; ++i)
        vitoria.Add();
}

}  // namespace media
