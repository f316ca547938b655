// The effect table: spawning into the first free slot, contact boxes, and the per-frame pass.
#include "effects/efeitos_passo.h"
#include "effects/tipos_efeito.h"
#include "game/tform1.h"

namespace pelea {

namespace {

using efeito::Imagens;
using efeito::Velocidade;

constexpr int kChance = 5;          // 1 in 5 projectiles always knock down
constexpr int kSorteioMorcego = 2;  // a bat's speed gains 0 … 1
constexpr int kSorteioDestrocoVel = 10;
constexpr int kSorteioDestrocoSubida = 4;
constexpr int kPassoDestrocoSubida = 5;
constexpr int16_t kDestrocoSubida = -26;
constexpr int kSorteioDirecao = 2;
constexpr int kSorteioPisca = 2;

constexpr int kChao = 280;  // a falling effect comes to rest on this line
constexpr int kQueda = 4;   // added to velocidadeY every tick
constexpr int kPiso = 300;  // a diving projectile or a stone bursts below this
constexpr int kSobePoeira = 1;
constexpr int kSobeMensagem = 5;
constexpr int kJitter = 13;  // a bat moves by a random 0 … 12 minus 7
constexpr int kJitterBase = 7;
constexpr int kForaEsquerda = 180, kForaDireita = 580, kForaTopo = 50;

constexpr int kLinhaMensagem = 5;
constexpr int kTamanhoMensagem = 10;
constexpr TColor kCorMensagem = media::rgb(80, 255, 140);

// The energy column stands taller as its picture grows.
constexpr uint8_t kImagemColunaMedia = 20, kImagemColunaAlta = 21;
constexpr int16_t kAlturaColunaMedia = 120, kAlturaColunaAlta = 185;
constexpr Area kContatoColunaMedia{10, -100, 97, 225};
constexpr Area kContatoColunaAlta{10, -170, 97, 225};

constexpr uint8_t kIdadeLacoB = 2, kIdadeLacoFim = 3;

bool parado(const MatchState& m) {
    return m.pausaEspecial != 0 || m.golpePausa != 0;
}

int primeiroLivre(const GameState& g) {
    for (int i = 1; i <= kEffectSlots; ++i) {
        if (g.efeitos[static_cast<size_t>(i)].tipo == 0) return i;
    }
    return 0;
}

void movimentoInicial(TForm1& f, Efeito& e, const efeito::Tipo& t, std::string_view variante) {
    e.direcao = t.direcao;
    switch (t.velocidade) {
        case Velocidade::Nenhuma:
            e.velocidadeY = t.velYA;
            break;
        case Velocidade::Fixa:
            e.velocidade = t.velA;
            e.velocidadeY = t.velYA;
            break;
        case Velocidade::AB:
            if (variante == "A") {
                e.velocidade = t.velA;
                e.velocidadeY = t.velYA;
            } else if (variante == "B") {
                e.velocidade = t.velB;
                e.velocidadeY = t.velYB;
            }
            break;
        case Velocidade::Morcego:
            e.velocidade = static_cast<uint8_t>(t.velA + f.Random(kSorteioMorcego));
            break;
        case Velocidade::Destroco:
            e.velocidadeY = static_cast<int16_t>(
                kDestrocoSubida - kPassoDestrocoSubida * f.Random(kSorteioDestrocoSubida));
            e.direcao = static_cast<uint8_t>(1 + f.Random(kSorteioDirecao));
            e.velocidade = static_cast<uint8_t>(f.Random(kSorteioDestrocoVel));
            e.piscando = f.Random(kSorteioPisca) == 0 ? 1 : 0;
            break;
    }
}

uint8_t derrubaInicial(TForm1& f, efeito::Derruba d) {
    switch (d) {
        case efeito::Derruba::Nunca:
            return 0;
        case efeito::Derruba::Sempre:
            return 1;
        case efeito::Derruba::UmEmCinco:
            return f.Random(kChance) == 0 ? 1 : 0;
    }
    return 0;
}

// 1. The picture for the current age, and what comes with it.
void imagemPorIdade(TForm1& f, Efeito& e) {
    const efeito::Tipo& t = efeito::tipo(e.tipo);
    switch (t.imagens) {
        case Imagens::PorIdade:
            for (const efeito::Quadro& q : t.quadros) {
                if (q.idade == e.idade) {
                    e.imagem = q.imagem;
                    break;
                }
            }
            break;
        case Imagens::Laco:
            if (e.idade < kIdadeLacoB) e.imagem = t.quadros[0].imagem;
            if (e.idade == kIdadeLacoB) e.imagem = t.quadros[1].imagem;
            if (e.idade == kIdadeLacoFim) e.idade = 0;
            break;
        case Imagens::NaCriacao:
            break;
    }
    if (e.tipo == efeito::kPoeira && !parado(f.g.m)) e.y -= kSobePoeira;
    if (t.piscaDesde != 0 && e.idade >= t.piscaDesde) e.piscando = 1;
    if (e.imagem == kImagemColunaMedia) {
        e.alturaDesenho = kAlturaColunaMedia;
        e.areaContato = kContatoColunaMedia;
    }
    if (e.imagem == kImagemColunaAlta) {
        e.alturaDesenho = kAlturaColunaAlta;
        e.areaContato = kContatoColunaAlta;
    }
}

// 2. Rise and fall; a falling effect comes to rest on the floor line.
void movimentoVertical(const MatchState& m, Efeito& e) {
    if (e.velocidadeY == 0 || parado(m)) return;
    e.y += e.velocidadeY;
    e.velocidadeY = static_cast<int16_t>(e.velocidadeY + kQueda);
    if (e.y <= kChao) return;
    e.y = kChao;
    e.velocidade = 0;
    e.velocidadeY = 0;
    // A landed stone blinks harmlessly until it expires.
    if (e.tipo == efeito::kPedraDireita || e.tipo == efeito::kPedraEsquerda) {
        e.piscando = 1;
        e.ativo = 0;
    }
}

// 3. Travel sideways; diving projectiles also fall and bats jitter.
void movimentoHorizontal(TForm1& f, Efeito& e) {
    if (parado(f.g.m)) return;
    if (e.direcao == 1) e.x += e.velocidade;
    if (e.direcao == 2) e.x -= e.velocidade;
    if (e.tipo == efeito::kMergulhoDireita || e.tipo == efeito::kMergulhoEsquerda)
        e.y += e.velocidade;
    if (e.tipo == efeito::kMorcegoDireita || e.tipo == efeito::kMorcegoEsquerda)
        e.y += f.Random(kJitter) - kJitterBase;
}

// 4. A blinking effect shows on even ages only.
void desenha(TForm1& f, const Efeito& e) {
    f.Canvas.Release();
    if (e.piscando == 1 && e.idade % 2 != 0) return;
    if (!f.DXImageListEfectos.has(e.imagem)) return;
    const MatchState& m = f.g.m;
    f.DXImageListEfectos.Items(e.imagem).Draw(f.DXDraw1.Surface, e.x - m.telaX,
                                              e.y - m.telaY - e.alturaDesenho, 0);
}

// 5. The pickup message floats up over the pickup.
void mensagem(TForm1& f, Efeito& e) {
    if (e.tipo != efeito::kMensagem) return;
    const MatchState& m = f.g.m;
    if (e.piscando == 0 || m.pisca % 2 == 0) {
        f.texto(e.x - m.telaX, e.y - m.telaY, MemoTexto.Lines(kLinhaMensagem), 'c',
                kTamanhoMensagem, kCorMensagem);
    }
    if (m.pausaEspecial == 0) e.y -= kSobeMensagem;
}

// 8. Ageing, and the end of an effect's life.
void envelhece(const MatchState& m, Efeito& e) {
    if (e.duracao == efeito::kSemFim || parado(m)) return;
    ++e.idade;
    if (e.idade > e.duracao) e.tipo = 0;
}

// 9. Gone once far enough out of the view.
void saiDaTela(const MatchState& m, Efeito& e) {
    if (e.x < m.telaX - kForaEsquerda || e.x > m.telaX + kForaDireita ||
        e.y < m.telaY - kForaTopo) {
        e.tipo = 0;
    }
}

// 10. Diving projectiles and stones burst on the floor.
void impactoNoPiso(TForm1& f, Efeito& e) {
    const bool cai = e.tipo == efeito::kMergulhoDireita || e.tipo == efeito::kMergulhoEsquerda ||
                     e.tipo == efeito::kPedraDireita || e.tipo == efeito::kPedraEsquerda;
    if (!cai || e.y + e.areaContato.y2 <= kPiso) return;
    e.tipo = 0;
    f.criaefeito(e.x, e.y, efeito::kFlash, "", 0);
}

void passo(TForm1& f, int i) {
    Efeito& e = f.g.efeitos[static_cast<size_t>(i)];
    imagemPorIdade(f, e);
    movimentoVertical(f.g.m, e);
    movimentoHorizontal(f, e);
    desenha(f, e);
    mensagem(f, e);
    efeitos::choque(f, i);
    efeitos::contatoLutadores(f, i);
    envelhece(f.g.m, e);
    saiDaTela(f.g.m, e);
    impactoNoPiso(f, e);
}

}  // namespace

void TForm1::criaefeito(int x, int y, int tipo, std::string_view variante, int dono) {
    const int i = primeiroLivre(g);
    if (i == 0 || tipo < 1 || tipo > efeito::kUltimoTipo) return;
    Efeito& e = g.efeitos[static_cast<size_t>(i)];
    // Every field starts clean, the picture too: nothing of the slot's last effect lingers
    // until the pass gets to it.
    e = Efeito{};
    e.tipo = static_cast<uint8_t>(tipo);
    e.x = x;
    e.y = y;
    e.dono = static_cast<uint8_t>(dono);
    const efeito::Tipo& t = efeito::tipo(e.tipo);
    e.duracao = t.duracao;
    movimentoInicial(*this, e, t, variante);
    e.forca = t.forca;
    e.ativo = t.ativo ? 1 : 0;
    e.derruba = derrubaInicial(*this, t.derruba);
    e.persistente = t.persistente ? 1 : 0;
    if (t.temContato) {
        contatoefeito(i, t.contato.x1, t.contato.y1, t.contato.x2, t.contato.y2);
    }
    if (t.imagens == Imagens::NaCriacao) {
        e.imagem = static_cast<uint8_t>(t.quadros[0].imagem + Random(t.sorteio));
    }
}

void TForm1::contatoefeito(int slot, int x1, int y1, int x2, int y2) {
    g.efeitos[static_cast<size_t>(slot)].areaContato = Area{x1, y1, x2, y2};
}

void TForm1::desenhaefeitos() {
    // A slot filled during the pass is reached later in the same pass when it lies further on.
    for (int i = 1; i <= kEffectSlots; ++i) {
        if (g.efeitos[static_cast<size_t>(i)].tipo != 0) passo(*this, i);
    }
}

// 14. Effects: updated, drawn and tested for contact.
void TForm1::lutaEfeitos() {
    desenhaefeitos();
}

}  // namespace pelea
