// The move list under each choosing player's side of the select screen: the five commands of
// the character under the cursor, as arrow icons and button marks.
#include <string>

#include "game/move_list.h"
#include "game/tform1.h"

namespace pelea {

namespace {

constexpr TColor kWhite = media::kWhite;
constexpr int kListSize = 9;
constexpr int kStep = 14;  // every letter of a command takes 14 pixels
constexpr int kRowY[move_list::kMovesPerCharacter] = {135, 150, 165, 180, 195};

// The icon that draws a command letter, or −1 for a letter drawn as text (or not at all).
int iconFor(char letter) {
    switch (letter) {
        case 'C':
            return 0;  // up
        case 'B':
            return 1;  // down
        case 'D':
            return 2;  // forward, drawn as right whichever way the fighter will face
        case 'E':
            return 3;  // back
        case 'Y':
            return 4;
        case 'Z':
            return 5;
        default:
            return -1;
    }
}

const char* textFor(char letter) {
    switch (letter) {
        case 'P':
            return "+S";
        case 'K':
            return "+C";
        case 'R':
            return " (rápido)";
        default:
            return nullptr;
    }
}

}  // namespace

void TForm1::mostralista(int n) {
    const int c = L(n).personagem;
    if (c < 1 || c > static_cast<int>(move_list::kMoves.size())) return;
    const auto& moves = move_list::kMoves[static_cast<size_t>(c - 1)];
    for (int i = 0; i < move_list::kMovesPerCharacter; ++i) {
        mostrasequencia(200 * n - 194, kRowY[i], moves[static_cast<size_t>(i)].label,
                        moves[static_cast<size_t>(i)].code);
    }
}

void TForm1::mostrasequencia(int x, int y, std::string_view label, std::string_view code) {
    std::string line(label);
    line += " - ";
    texto(x, y, line, '-', kListSize, kWhite);
    if (DXDraw1.Surface.blind) return;
    int w = Canvas.TextWidth(line);
    for (const char letter : code) {
        Canvas.Release();
        const int icon = iconFor(letter);
        if (icon >= 0 && DXImageListIcone.has(icon)) {
            DXImageListIcone.Items(icon).Draw(DXDraw1.Surface, x + w, y + 3, 0);
        }
        if (const char* t = textFor(letter)) texto(x + w, y, t, '-', kListSize, kWhite);
        w += kStep;
    }
}

}  // namespace pelea
