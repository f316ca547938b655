// Sprite sheets: cutting a character's sheet into fighter n's frame lists, each frame kept as
// painted (facing right) and mirrored (facing left).
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

// Gives a list item the w × h rectangle at (left, top) of the sheet, mirrored or not, and makes
// it a white-keyed fighter frame.
void prepararItem(media::ImageItem& item, const media::Picture& folha, int left, int top, int w,
                  int h, bool espelhado) {
    item.cut(folha, left, top, w, h, espelhado);
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

// Each frame is cut straight into its list item, which knows the cut it holds.
void TForm1::copiabmp(int item, int left, int top, int right, int bottom) {
    if (DXImageListLutador.has(item)) {
        prepararItem(DXImageListLutador.Items(item), ImageLutador, left, top, right - left, bottom,
                     false);
    }
    // The same rectangle with its horizontal extent reversed: the frame mirrored left to right.
    if (DXImageListLutadorInvert.has(item)) {
        prepararItem(DXImageListLutadorInvert.Items(item), ImageLutador, left, top, right - left,
                     bottom, true);
    }
}

}  // namespace pelea
