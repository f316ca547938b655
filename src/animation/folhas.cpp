// Sprite sheets: cutting a character's sheet into fighter n's frame lists, each frame kept as
// painted (facing right) and mirrored (facing left).
#include <algorithm>
#include <cstddef>
#include <string>

#include "animation/sheets.h"
#include "game/tform1.h"
#include "media/loaders.h"

namespace pelea {

namespace {

constexpr int kBaseFighter1 = 0;
constexpr int kBaseFighter2 = 50;

bool validSlot(int slot) {
    return slot >= 1 && slot <= sheets::kSlots;
}

// The sheet is looked up by its name, then in the one folder of the folder list: ".".
bool acharFolha(const std::string& arquivo) {
    return media::fileExists(arquivo) || media::fileExists("./" + arquivo);
}

// A 1:1 copy of the w × h rectangle at (left, top) of the sheet into a frame of that size, as
// the scaling rectangle copy does it with equal extents: mirrored, the source is walked from its
// right edge back to its left. Pixels outside the sheet are skipped and keep the frame's fill.
// Done row by row because it runs for every frame of both sheets at match start.
void cortar(const media::Picture& folha, media::Picture& quadro, int left, int top,
            bool espelhado) {
    const int w = quadro.width();
    const int lo = std::max(left, 0);
    const int hi = std::min(left + w, folha.width());
    if (lo >= hi) return;
    for (int y = 0; y < quadro.height(); ++y) {
        const int sy = top + y;
        if (sy < 0 || sy >= folha.height()) continue;
        const TColor* in = folha.row(sy);
        if (espelhado) {
            std::reverse_copy(in + lo, in + hi, quadro.row(y) + (left + w - hi));
        } else {
            std::copy(in + lo, in + hi, quadro.row(y) + (lo - left));
        }
    }
}

// True when the rectangle reaches outside the sheet, so a cut leaves some of the fill.
bool foraDaFolha(const media::Picture& folha, int left, int top, int right, int bottom) {
    return left < 0 || top < 0 || right > folha.width() || bottom > folha.height();
}

// Gives a list item its picture and makes it a white-keyed fighter frame.
void prepararItem(media::ImageItem& item, const media::Picture& picture) {
    item.setPicture(picture);
    item.Name = "Lutador";
    item.SystemMemory = false;
    item.Transparent = true;
    item.TransparentColor = media::kWhite;
    item.Restore();
}

}  // namespace

void TForm1::carregar(const std::string& arquivo, int personagem, int n) {
    DXTimer1.Enabled = false;
    if (acharFolha(arquivo) && validSlot(personagem) &&
        media::loadPicture(arquivo, ImageLutador) == media::LoadResult::Ok) {
        Lutador& l = L(n);
        if (validSlot(l.personagem))
            l.altura = static_cast<int16_t>(sheets::sheet(l.personagem).altura);
        const int base = n == 2 ? kBaseFighter2 : kBaseFighter1;
        const sheets::SheetRow& row = sheets::sheet(personagem);
        for (int k = 1; k <= row.n; ++k) {
            copiabmp(base + k, sheets::frameLeft(personagem, k), 0,
                     sheets::frameRight(personagem, k), row.h);
        }
    }
    DXTimer1.Enabled = true;
}

void TForm1::copiabmp(int item, int left, int top, int right, int bottom) {
    ImageLutadorFrame.setSize(right - left, bottom);
    cortar(ImageLutador, ImageLutadorFrame, left, top, false);
    if (DXImageListLutador.has(item)) {
        prepararItem(DXImageListLutador.Items(item), ImageLutadorFrame);
    }

    // The same rectangle with its horizontal extent reversed: the frame mirrored left to right.
    if (foraDaFolha(ImageLutador, left, top, right, bottom)) {
        ImageLutadorFrame.setSize(right - left, bottom);
    }
    cortar(ImageLutador, ImageLutadorFrame, left, top, true);
    if (DXImageListLutadorInvert.has(item)) {
        prepararItem(DXImageListLutadorInvert.Items(item), ImageLutadorFrame);
    }
}

}  // namespace pelea
