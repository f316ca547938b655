// Strikes, contact and damage: the hit test of an attacker's live attack area against the other
// fighter's contact area, the blocked and landed blow, and the recoil at the edge of the view.
#include <cstdint>

#include "fighter/acao_seguimento.h"
#include "game/tform1.h"

namespace pelea {

namespace {

// Blow classes.
constexpr uint8_t kLeve = 1, kPesado = 2, kSuper = 3;

// Dispatcher codes.
constexpr int kReacao1 = 8, kReacao2 = 9, kDerrubada = 10;

// Sound-effect items.
constexpr int kSndGolpeLeve = 7, kSndGolpePesado = 8, kSndGolpeEspecial = 9, kSndDefesa = 10;

// Effect kinds, spawned with no owner.
constexpr int kClarao = 1, kSangueEspirro = 13, kFaisca = 19;
constexpr int kSemDono = 0;
constexpr int kMeioFaisca = 13;  // the block spark is drawn centred on the blow
constexpr int kMeioClarao = 40;  // the hit flash likewise
constexpr int kSangueX = 25;

constexpr double kEsperaBarra = 8.0;  // ticks the trailing life bar waits after damage
constexpr double kEspecialMax = 102.0;
constexpr double kGanhoAtacante = 2.0, kGanhoVitima = 1.0;
constexpr int kEmpurraoDefesa = 10;

// A combo goes on while the previous blow's window is still above this.
constexpr uint8_t kComboAberto = 35;
constexpr uint8_t kJanelaCombo = 43;

constexpr int kPontosGolpe = 1, kPontosPrimeiro = 100;
constexpr uint8_t kMensagemPrimeiro = 1, kTempoMensagem = 50;

constexpr uint8_t kFlash = 5;
constexpr int kChanceFlash = 2, kChanceSangue = 5;

constexpr int16_t kGiro = 20;
constexpr uint8_t kRecuoNormal = 5;
constexpr int8_t kLancamento = -30;

constexpr int kChao = 300;
constexpr int kMargemEsquerda = 30, kMargemDireita = 370;
constexpr int kRecuoBorda = 12;

constexpr int kVariacaoPausa = 4;  // hit pauses add random 0..3
constexpr uint8_t kPausaDefesaLeve = 2, kPausaDefesaPesado = 4;
constexpr uint8_t kPausaLeve = 5, kPausaPesado = 7;

// Attacker states whose blow sends the victim into the second hit reaction.
constexpr uint8_t kPosReacao2[] = {4, 6, 8, 9, 10};

constexpr uint8_t kQualquer = 0;

// Longer combo windows after some blows (character kQualquer: every character).
struct JanelaCombo {
    uint8_t personagem, pos, hitsTempo;
};
constexpr JanelaCombo kJanelas[] = {
    {kQualquer, 11, 50}, {kQualquer, 16, 50}, {4, 26, 46}, {4, 27, 47}, {6, 29, 50},
};

// Special blows: a row applies when the attacker is in (personagem, pos), its class is t (or any)
// and its cycle has reached cicloMin; the knock-back applies from cicloRecuo on.
struct GolpeEspecial {
    uint8_t personagem, pos, t, cicloMin;
    bool giro;
    uint8_t recuo, cicloRecuo;
    bool lanca;
};
constexpr GolpeEspecial kEspeciais[] = {
    {1, 26, kPesado, 0, false, 20, 0, false},    {2, 26, kPesado, 0, false, 25, 0, false},
    {4, 29, kQualquer, 0, true, 20, 0, true},    {5, 29, kQualquer, 15, true, 0, 15, true},
    {6, 27, kPesado, 0, false, 25, 0, false},    {6, 29, kQualquer, 22, true, 0, 22, false},
    {7, 27, kPesado, 0, false, 25, 0, false},    {9, 29, kQualquer, 14, true, 25, 15, false},
    {10, 28, kPesado, 0, false, 13, 0, false},   {10, 29, kQualquer, 15, true, 0, 15, false},
    {11, 29, kQualquer, 26, true, 0, 26, false}, {12, 26, kPesado, 0, false, 25, 0, false},
    {12, 28, kQualquer, 22, true, 0, 22, false},
};

const GolpeEspecial* especialDe(const Lutador& a) {
    for (const GolpeEspecial& r : kEspeciais) {
        if (r.personagem == a.personagem && r.pos == a.pos && (r.t == kQualquer || r.t == a.t))
            return &r;
    }
    return nullptr;
}

struct Caixa {
    int x1, y1, x2, y2;
};

Caixa absoluta(const Lutador& l, const Area& a) {
    const int topo = l.y - l.altura;
    return {l.x + a.x1, topo + a.y1, l.x + a.x2, topo + a.y2};
}

// Strict overlap: touching edges do not count.
bool sobrepoe(const Caixa& a, const Caixa& b) {
    return a.x1 < b.x2 && b.x1 < a.x2 && a.y1 < b.y2 && b.y1 < a.y2;
}

bool contato(TForm1& g, const Lutador& a, const Lutador& v) {
    const MatchState& m = g.g.m;
    if (a.ataque != 1 || v.invencivel != 0) return false;
    if (m.golpePausa != 0 || m.pausaEspecial != 0) return false;
    return sobrepoe(absoluta(a, a.areaAtaque), absoluta(v, v.areaContato));
}

bool causaDano(const MatchState& m) {
    return m.esperaTempo == 0 && m.lutaParada == 0;
}

void ganhaEspecial(Lutador& l, double vezes, double ganho) {
    if (l.especial < kEspecialMax) l.especial += vezes * ganho;
}

void pausaGolpe(TForm1& g, uint8_t t, uint8_t base1, uint8_t base2) {
    if (t == kLeve) g.g.m.golpePausa = static_cast<uint8_t>(base1 + g.Random(kVariacaoPausa));
    if (t == kPesado) g.g.m.golpePausa = static_cast<uint8_t>(base2 + g.Random(kVariacaoPausa));
}

void bloqueado(TForm1& g, int n) {
    Lutador& a = g.L(n);
    Lutador& v = g.L(3 - n);
    v.ciclo = 0;  // the block restarts
    g.DXWaveListSnd.Play(kSndDefesa);
    const Area& r = a.areaAtaque;
    const int fx = TForm1::Round((r.x1 + r.x2) / 2.0) + a.x - kMeioFaisca;
    g.criaefeito(fx, a.y + r.y1 - a.altura - kMeioFaisca, kFaisca, "", kSemDono);
    if (v.lado == 1) g.mover(3 - n, -kEmpurraoDefesa);
    if (v.lado == 2) g.mover(3 - n, kEmpurraoDefesa);
    if (causaDano(g.g.m)) {
        v.hp -= a.fDefesa * g.g.m.nivelDano;
        v.hpBarraEspera = kEsperaBarra;
    }
    if (v.hp <= 0) {
        g.DXWaveListSnd.Play(kSndGolpeEspecial);
        g.acao(3 - n, kDerrubada);
    }
    a.ataque = 0;
    pausaGolpe(g, a.t, kPausaDefesaLeve, kPausaDefesaPesado);
}

uint8_t janelaCombo(const Lutador& a) {
    uint8_t janela = kJanelaCombo;
    for (const JanelaCombo& r : kJanelas) {
        if ((r.personagem == kQualquer || r.personagem == a.personagem) && r.pos == a.pos)
            janela = r.hitsTempo;
    }
    return janela;
}

void contaCombo(Lutador& a) {
    if (a.hitsTempo <= kComboAberto) a.hits = 0;
    ++a.hits;
    a.hitsTempo = janelaCombo(a);
}

// Turning, score, meter, combo, damage, flash and a knock-out.
void acertaDano(TForm1& g, int n) {
    Lutador& a = g.L(n);
    Lutador& v = g.L(3 - n);
    MatchState& m = g.g.m;
    v.lado = v.x < a.x ? 1 : 2;
    a.pontos += kPontosGolpe;
    ganhaEspecial(a, kGanhoAtacante, m.ganhoEspecial);
    ganhaEspecial(v, kGanhoVitima, m.ganhoEspecial);
    contaCombo(a);
    if (causaDano(m)) {
        v.hp -= a.f * m.nivelDano;
        v.hpBarraEspera = kEsperaBarra;
    }
    if (a.t == kPesado && g.Random(kChanceFlash) == 0) m.flashTempo = kFlash;
    if (v.hp <= 0) {
        g.DXWaveListSnd.Play(kSndGolpePesado);
        g.acao(3 - n, kDerrubada);
    }
}

bool segundaReacao(uint8_t pos) {
    for (uint8_t p : kPosReacao2) {
        if (p == pos) return true;
    }
    return false;
}

// Spin, hit flash, blood, reaction, knock-down, knock-back and launch.
void acertaReacao(TForm1& g, int n) {
    Lutador& a = g.L(n);
    Lutador& v = g.L(3 - n);
    const GolpeEspecial* e = especialDe(a);
    const bool especial = e != nullptr && a.ciclo >= e->cicloMin;
    if (especial && e->giro) v.giro = v.lado == 1 ? -kGiro : kGiro;
    const Area& r = a.areaAtaque;
    const int cx = TForm1::Round((r.x1 + r.x2) / 2.0) + a.x - kMeioClarao;
    const int cy = TForm1::Round((r.y1 + r.y2) / 2.0) + a.y - a.altura - kMeioClarao;
    g.criaefeito(cx, cy, kClarao, "", kSemDono);
    if (g.g.m.opcaoSangue == 1 && a.t == kPesado && g.Random(kChanceSangue) == 0)
        g.criaefeito(v.x - kSangueX, v.y - v.altura, kSangueEspirro, "", kSemDono);
    g.acao(3 - n, segundaReacao(a.pos) ? kReacao2 : kReacao1);
    if (a.derruba == 1 || v.grav != 0 || v.y < kChao) g.acao(3 - n, kDerrubada);
    v.recuo = kRecuoNormal;
    if (e != nullptr && e->recuo != 0 && a.ciclo >= e->cicloRecuo) v.recuo = e->recuo;
    if (especial && e->lanca) v.grav = kLancamento;
}

int somGolpe(uint8_t t) {
    if (t == kLeve) return kSndGolpeLeve;
    if (t == kPesado) return kSndGolpePesado;
    if (t == kSuper) return kSndGolpeEspecial;
    return -1;
}

// Sound, the first blow of the round, drawing order, follow-ups, hit pause and the new frame.
void acertaFim(TForm1& g, int n) {
    Lutador& a = g.L(n);
    Lutador& v = g.L(3 - n);
    MatchState& m = g.g.m;
    if (const int som = somGolpe(a.t); som >= 0) g.DXWaveListSnd.Play(som);
    if (m.primeiroGolpe == 0) {
        a.mensagem = kMensagemPrimeiro;
        a.mensagemTempo = kTempoMensagem;
        a.pontos += kPontosPrimeiro;
        m.primeiroGolpe = 1;
    }
    a.naFrente = 1;
    v.naFrente = 0;
    a.ataque = 0;
    if (seguimento::avanca(a)) v.ataque = 0;
    pausaGolpe(g, a.t, kPausaLeve, kPausaPesado);
    g.definedesenho(3 - n);
}

// A fighter that pins the other at the edge of the view is pushed back instead.
void recuoBorda(TForm1& g, int n) {
    const int vx = g.L(3 - n).x;
    const int telaX = g.g.m.telaX;
    if (vx >= telaX + kMargemDireita) g.mover(n, -kRecuoBorda);
    if (vx <= telaX + kMargemEsquerda) g.mover(n, kRecuoBorda);
}

}  // namespace

void TForm1::resolveGolpe(int n) {
    Lutador& v = L(3 - n);
    if (!contato(*this, L(n), v)) return;
    if (v.defesa == 1) bloqueado(*this, n);
    // A blocker knocked out by chip damage has lost its guard and takes the blow too.
    if (v.defesa == 0) {
        acertaDano(*this, n);
        acertaReacao(*this, n);
        acertaFim(*this, n);
    }
    recuoBorda(*this, n);
}

}  // namespace pelea
