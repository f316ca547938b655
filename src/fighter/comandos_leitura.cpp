// Pure rules of command input.
#include "fighter/comandos_leitura.h"

namespace pelea::comandos {

namespace {

constexpr int kSocoLeve = 1, kChuteLeve = 2, kSocoForte = 3, kChuteForte = 4;

bool ehSoco(int tipo) {
    return tipo == kSocoLeve || tipo == kSocoForte;
}
bool ehChute(int tipo) {
    return tipo == kChuteLeve || tipo == kChuteForte;
}

}  // namespace

bool condicaoVale(Cond c, const Alavanca& a) {
    switch (c) {
        case Cond::Down:
            return a.baixo && !a.frente && !a.tras;
        case Cond::Fwd:
            return a.frente && !a.baixo && !a.tras;
        case Cond::FwdB:
            return a.frente && !a.baixo;
        case Cond::FwdD:
            return a.frente && !a.tras;
        case Cond::Back:
            return a.tras && !a.baixo && !a.frente;
        case Cond::BackF:
            return a.tras && !a.baixo;
        case Cond::BackD:
            return a.tras && !a.frente;
        case Cond::DF:
            return a.baixo && a.frente && !a.tras;
        case Cond::DB:
            return a.baixo && a.tras && !a.frente;
        case Cond::Up:
            return a.cima && !a.baixo;
    }
    return false;
}

bool transicaoVale(const Transicao& t, const Alavanca& a, const Contexto& c) {
    if (!condicaoVale(t.cond, a)) return false;
    if (c.agacharTemp < t.agacharMin) return false;
    if (c.trasTemp < t.trasMin) return false;
    return !t.noChao || c.noChao;
}

bool especialVale(const Especial& e, int tipo, const Leitura& l) {
    const bool soco = ehSoco(tipo);
    if (e.botao == Botao::P ? !soco : !ehChute(tipo)) return false;
    switch (e.quando) {
        case Quando::In:
            return l.sequencia == e.estado;
        case Quando::Air:
            return l.sequencia == e.estado && l.noAr;
        case Quando::Rapid:
            return (soco ? l.socoRepet : l.chuteRepet) > kRepeticaoRapida;
    }
    return false;
}

int codigoEspecial(const Especial& e, int tipo) {
    return tipo == kSocoForte || tipo == kChuteForte ? e.pesado : e.leve;
}

Codigos codigosGolpe(int personagem, int tipo, const Leitura& l) {
    Codigos out;
    if (personagem < 1 || personagem > kPersonagens) return out;
    for (const Especial& e : kEspeciais[static_cast<size_t>(personagem)]) {
        if (!especialVale(e, tipo, l)) continue;
        out.codigo[static_cast<size_t>(out.quantos++)] =
            static_cast<uint8_t>(codigoEspecial(e, tipo));
    }
    return out;
}

uint8_t tempoSegura(uint8_t tempo, bool segura) {
    if (segura) return tempo < kTempoSeguraMax ? static_cast<uint8_t>(tempo + 1) : kTempoSeguraMax;
    return tempo > 1 ? static_cast<uint8_t>(tempo - 1) : tempo;
}

}  // namespace pelea::comandos
