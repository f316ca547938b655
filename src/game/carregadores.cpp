// Loaders of the external files: portraits, stages and music. Each stops the timer while it
// reads. A missing file is skipped silently; one that cannot be read or is not a valid picture or
// sound (a folder in its place included) is skipped with one line on stderr (said by the media
// layer).
#include <string>
#include <utility>

#include "game/tform1.h"
#include "media/loaders.h"

namespace pelea {

namespace {

// A file is looked up by its name and in the current directory, which is the same place.
bool acharArquivo(const std::string& arquivo) {
    return media::pathExists(arquivo) || media::pathExists("./" + arquivo);
}

// Reads a portrait into `plano` and its mirror image into `invertido`; both are left empty when
// the file is missing or invalid.
void lerRetrato(const std::string& arquivo, media::Picture& plano, media::Picture& invertido) {
    if (!acharArquivo(arquivo) || media::loadPicture(arquivo, plano) != media::LoadResult::Ok) {
        plano = media::Picture{};
        invertido = media::Picture{};
        return;
    }
    const int w = plano.width();
    const int h = plano.height();
    invertido.setSize(w, h);
    invertido.copyRect(0, 0, w, h, plano, w, 0, 0, h);
}

constexpr uint8_t kStageWithTable = 2;
constexpr int kTableIcon = 6;

}  // namespace

void TForm1::carregarosto(const std::string& arquivo, int variante) {
    // The item is added whether or not the file is there, so indices stay three per character.
    media::ImageItem& item = DXImageListRetrato.Add();
    // The plain and the mirrored item of a portrait share one read of its file, so a damaged
    // file is read and reported once.
    if (arquivo != retratoLido_) {
        retratoLido_ = arquivo;
        lerRetrato(arquivo, ImageRetrato, ImageRetratoInvert);
    }
    if (ImageRetrato.width() == 0) return;
    item.setPicture(variante == 2 ? ImageRetratoInvert : ImageRetrato);
    item.Name = "Rosto";
    item.SystemMemory = false;
    item.Transparent = true;
    item.TransparentColor = media::kWhite;
    item.Restore();
}

void TForm1::carregarcenario(const std::string& arquivo) {
    MatchState& m = g.m;
    DXTimer1.Enabled = false;
    if (acharArquivo(arquivo)) {
        media::Picture fundo;
        if (media::loadPicture(arquivo, fundo) == media::LoadResult::Ok) {
            media::ImageItem& item = DXImageListCenario.Items(0);
            item.setPicture(std::move(fundo));
            item.Name = "Cenario";
            item.SystemMemory = false;
            item.Transparent = false;
            item.TransparentColor = media::kWhite;
            item.Restore();
        }
    }
    // Only stage 2 has the breakable table.
    m.mesaIcone = 0;
    if (m.numCenario == kStageWithTable) {
        m.mesaX = 395;
        m.mesaY = 195;
        m.mesaMargemX = 25;
        m.mesaMargemY = 25;
        m.mesaLargura = 110;
        m.mesaAltura = 90;
        m.mesaIcone = kTableIcon;
    }
    DXTimer1.Enabled = true;
}

void TForm1::carregarmusica(int k) {
    MatchState& m = g.m;
    m.musicaCarregada = 0;
    const std::string arquivo = "Musica-0" + std::to_string(k) + ".wav";
    DXTimer1.Enabled = false;
    if (media::pathExists(arquivo) && DXWaveListMusica.LoadFromFile(0, arquivo)) {
        DXSound1.Initialize();
        m.musicaCarregada = 1;
    }
    DXTimer1.Enabled = true;
}

}  // namespace pelea
