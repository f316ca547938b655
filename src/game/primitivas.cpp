// The six drawing primitives of the game object: fixed recipes over the surface canvas. Each
// sets the canvas state it depends on, draws and releases the canvas.
#include <cmath>

#include "game/tform1.h"

namespace pelea {

void TForm1::retangulo(int x1, int y1, int x2, int y2, TColor cor) {
    Canvas.setBrushColor(cor);
    Canvas.FrameRect({x1, y1, x2, y2});
    // A frame given right-to-left would draw nothing; drawing it again in order makes it appear.
    if (x1 > x2) Canvas.FrameRect({x2, y1, x1, y2});
    Canvas.Release();
}

void TForm1::barra(int x1, int y1, int x2, int y2, TColor cor) {
    Canvas.setBrushColor(cor);
    Canvas.FillRect({x1, y1, x2, y2});
    Canvas.Release();
}

void TForm1::barraredonda(int x1, int y1, int x2, int y2, int canto, TColor borda, TColor fundo) {
    Canvas.setPenColor(borda);
    Canvas.setBrushColor(fundo);
    Canvas.RoundRect(x1, y1, x2, y2, canto, canto);
    Canvas.Release();
}

void TForm1::circulo(int x1, int y1, int x2, int y2, TColor cor) {
    Canvas.setPenColor(cor);
    Canvas.setBrushStyle(media::BrushStyle::Clear);
    Canvas.Ellipse(x1, y1, x2, y2);
    Canvas.setBrushStyle(media::BrushStyle::Solid);
    Canvas.Release();
}

void TForm1::circulopintado(int x1, int y1, int x2, int y2, TColor borda, TColor fundo) {
    Canvas.setPenColor(borda);
    Canvas.setBrushColor(fundo);
    Canvas.Ellipse(x1, y1, x2, y2);
    Canvas.Release();
}

// One line of text with a black shadow one pixel right and down. "c" centres it on x (half the
// width rounded half to even), "e" makes it end at x, anything else starts it at x.
void TForm1::texto(int x, int y, std::string_view s, char alinhamento, int tamanho, TColor cor) {
    Canvas.setBrushStyle(media::BrushStyle::Clear);
    if (DXDraw1.Surface.blind) return;
    Canvas.setFontSize(tamanho);
    Canvas.setFontColor(media::kBlack);
    Canvas.setFontName("Comic Sans MS");
    int w = 0;
    if (alinhamento == 'c') w = Round(Canvas.TextWidth(s) / 2.0);
    if (alinhamento == 'e') w = Canvas.TextWidth(s);
    Canvas.TextOut(x - w + 1, y + 1, s);
    Canvas.setFontColor(cor);
    Canvas.TextOut(x - w, y, s);
    Canvas.Release();
}

}  // namespace pelea
