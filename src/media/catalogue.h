// The built-in pictures and sounds: every item of the effect and icon lists and of the sound
// and victory-voice lists, at its index.
#pragma once

#include "media/image_list.h"
#include "media/sound.h"

namespace media {

constexpr int kEfectosItems = 80;
constexpr int kIconeItems = 8;
constexpr int kSndItems = 57;
constexpr int kVitoriaItems = 12;

// Appends the built-in items to the four lists (which start empty).
void criarCatalogo(ImageList& efectos, ImageList& icone, WaveList& snd, WaveList& vitoria);

}  // namespace media
