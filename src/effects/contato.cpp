// What happens when an effect touches another effect or a fighter: clashes, blocks, hits and
// life pickups.
#include "effects/efeitos_passo.h"
#include "effects/tipos_efeito.h"
#include "game/tform1.h"

namespace pelea::efeitos {

namespace {

constexpr int kSndEspecial = 9;
constexpr int kSndDefesa = 10;
constexpr int kSndVida = 11;
constexpr int kAcaoAtingido = 9;
constexpr int kAcaoDerrubado = 10;

constexpr int kFlashMeio = 40;  // the hit flash is centred on the box
constexpr int kFaiscaMeioX = 20, kFaiscaMeioY = 25;
constexpr int kSangueRecuo = 25;
constexpr int kEmpurraoDefesa = 10;
constexpr int kDivisorDefesa = 4;  // a blocked effect takes a quarter of its damage
constexpr double kEsperaBarra = 8.0;
constexpr int kGolpePausaDefesa = 2, kGolpePausaAtingido = 5;

constexpr int kChanceFlash = 5, kChanceSangue = 3;
constexpr uint8_t kTempoFlash = 3;
constexpr int kPontosAcerto = 5, kPontosPrimeiroGolpe = 100;
constexpr uint8_t kCombo = 35;  // a hit within this many ticks of the last keeps the combo
constexpr uint8_t kTempoCombo = 50;
constexpr double kLimiteEspecial = 102.0;
constexpr uint8_t kRecuoAtingido = 8;
constexpr uint8_t kMensagemPrimeiroGolpe = 1, kTempoMensagem = 50;

constexpr uint8_t kRecuoColuna = 18;
constexpr int8_t kGravColuna = -40;
constexpr int8_t kGravMorcego = -20;
constexpr uint8_t kRecuoMorcego = 6;
constexpr int16_t kGiro = 20;

constexpr uint8_t kIdadeColeta = 13;  // a pickup can be taken once older than this
constexpr int kCuraPequena = 20, kCuraGrande = 30;

Efeito& slot(TForm1& f, int i) {
    return f.g.efeitos[static_cast<size_t>(i)];
}

int meio(int a, int b) {
    return TForm1::Round((a + b) / 2.0);
}

// A hit flash on the centre of the effect's box.
void flash(TForm1& f, const Efeito& e) {
    const Area& a = e.areaContato;
    f.criaefeito(e.x + meio(a.x1, a.x2) - kFlashMeio, e.y + meio(a.y1, a.y2) - kFlashMeio,
                 efeito::kFlash, "", 0);
}

bool sobrepoe(const Efeito& a, const Efeito& b) {
    const Area& p = a.areaContato;
    const Area& q = b.areaContato;
    return b.x + q.x1 < a.x + p.x2 && b.x + q.x2 > a.x + p.x1 && b.y + q.y1 < a.y + p.y2 &&
           b.y + q.y2 > a.y + p.y1;
}

bool tocaLutador(const Efeito& e, const Lutador& l) {
    const Area& a = e.areaContato;
    const Area& c = l.areaContato;
    const int topo = l.y - l.altura;
    return l.x + c.x1 < e.x + a.x2 && l.x + c.x2 > e.x + a.x1 && topo + c.y1 < e.y + a.y2 &&
           topo + c.y2 > e.y + a.y1;
}

bool emJogo(const MatchState& m) {
    return m.esperaTempo == 0 && m.lutaParada == 0;
}

void defesa(TForm1& f, Efeito& e, int n) {
    Lutador& l = f.L(n);
    MatchState& m = f.g.m;
    l.ciclo = 0;
    f.DXWaveListSnd.Play(kSndDefesa);
    const Area& a = e.areaContato;
    f.criaefeito(e.x + meio(a.x1, a.x2) - kFaiscaMeioX, e.y + meio(a.y1, a.y2) - kFaiscaMeioY,
                 efeito::kFaisca, "", 0);
    f.mover(n, l.lado == 1 ? -kEmpurraoDefesa : kEmpurraoDefesa);
    if (emJogo(m)) {
        l.hp -= TForm1::Round(e.forca * m.nivelDano / kDivisorDefesa);
        l.hpBarraEspera = kEsperaBarra;
    }
    if (l.hp <= 0) {
        f.DXWaveListSnd.Play(kSndEspecial);
        f.acao(n, kAcaoDerrubado);
    }
    if (e.persistente == 0) e.tipo = 0;
    e.ativo = 0;
    m.golpePausa = kGolpePausaDefesa;
}

// Points, the combo count and the first blow of the round go to the owner.
void creditaDono(TForm1& f, int a) {
    Lutador& d = f.L(a);
    d.pontos += kPontosAcerto;
    if (d.hitsTempo <= kCombo) d.hits = 0;
    ++d.hits;
    d.hitsTempo = kTempoCombo;
}

void primeiroGolpe(TForm1& f, int a) {
    MatchState& m = f.g.m;
    if (m.primeiroGolpe != 0) return;
    Lutador& d = f.L(a);
    d.mensagem = kMensagemPrimeiroGolpe;
    d.mensagemTempo = kTempoMensagem;
    d.pontos += kPontosPrimeiroGolpe;
    m.primeiroGolpe = 1;
}

// The column throws its victim high; a bat flips it; both spin it.
void extrasDoTipo(Lutador& l, uint8_t tipo) {
    if (tipo == efeito::kColuna) {
        l.recuo = kRecuoColuna;
        l.grav = kGravColuna;
    }
    if (tipo == efeito::kMorcegoDireita || tipo == efeito::kMorcegoEsquerda) {
        l.grav = kGravMorcego;
        l.invencivel = 0;
        l.recuo = kRecuoMorcego;
    }
    if (tipo == efeito::kColuna || tipo == efeito::kMorcegoDireita) {
        l.giro = static_cast<int16_t>(l.lado == 1 ? -kGiro : kGiro);
    }
}

void acerto(TForm1& f, Efeito& e, int n) {
    Lutador& l = f.L(n);
    const int a = 3 - n;
    MatchState& m = f.g.m;
    l.lado = l.x < f.L(a).x ? 1 : 2;
    f.DXWaveListSnd.Play(kSndEspecial);
    flash(f, e);
    if (f.Random(kChanceFlash) == 0) m.flashTempo = kTempoFlash;
    if (m.opcaoSangue == 1 && f.Random(kChanceSangue) == 0)
        f.criaefeito(l.x - kSangueRecuo, l.y - l.altura, efeito::kSangue, "", 0);
    creditaDono(f, a);
    if (emJogo(m)) {
        l.hp -= e.forca * m.nivelDano;
        if (l.especial < kLimiteEspecial) l.especial += m.ganhoEspecial;
        l.hpBarraEspera = kEsperaBarra;
    }
    if (e.derruba == 1 || l.grav != 0 || l.hp <= 0) f.acao(n, kAcaoDerrubado);
    f.acao(n, kAcaoAtingido);
    l.recuo = kRecuoAtingido;
    primeiroGolpe(f, a);
    f.L(a).naFrente = 1;
    l.naFrente = 0;
    m.golpePausa = kGolpePausaAtingido;
    extrasDoTipo(l, e.tipo);
    if (e.persistente == 0) e.tipo = 0;
    e.ativo = 0;
    f.definedesenho(n);
}

void coleta(TForm1& f, Efeito& e, int n) {
    Lutador& l = f.L(n);
    const MatchState& m = f.g.m;
    if (m.esperaTempo == 0) {
        const int cura = e.tipo == efeito::kVidaPequena ? kCuraPequena : kCuraGrande;
        l.hp += cura * m.nivelDano;
    }
    f.DXWaveListSnd.Play(kSndVida);
    f.criaefeito(e.x, e.y, efeito::kMensagem, "", 0);
    e.tipo = 0;
}

void contato(TForm1& f, Efeito& e, int n) {
    const Lutador& l = f.L(n);
    if (l.defesa == 1 && e.ativo == 1 && n != e.dono) defesa(f, e, n);
    if (e.ativo == 1 && l.invencivel == 0 && n != e.dono && l.defesa == 0) acerto(f, e, n);
    const bool vida = e.tipo == efeito::kVidaPequena || e.tipo == efeito::kVidaGrande;
    if (vida && e.idade > kIdadeColeta && f.L(n).hp > 0 && f.g.m.lutaParada == 0) coleta(f, e, n);
}

}  // namespace

void choque(TForm1& f, int i) {
    Efeito& e = slot(f, i);
    for (int j = 1; j <= kEffectSlots; ++j) {
        Efeito& q = slot(f, j);
        if (!sobrepoe(e, q) || q.dono == e.dono || q.ativo != 1 || e.ativo != 1 || q.tipo == 0 ||
            e.tipo == 0) {
            continue;
        }
        if (e.persistente == 0) {
            flash(f, e);
            e.tipo = 0;
        }
        if (q.persistente == 0) {
            flash(f, q);
            q.tipo = 0;
        }
    }
}

void contatoLutadores(TForm1& f, int i) {
    Efeito& e = slot(f, i);
    for (int n = 1; n <= 2; ++n) {
        if (tocaLutador(e, f.L(n))) contato(f, e, n);
    }
}

}  // namespace pelea::efeitos
