// Block requests: holding back while the opponent attacks, or while a hostile effect is live.
#include "game/tform1.h"

namespace pelea {

namespace {

constexpr int kDefesaEmPe = 12, kDefesaAgachado = 13;

// Holding back guards against a live threat: standing, or crouching with down held.
void pedeDefesa(TForm1& form, int n) {
    if (!form.seta(n, "TRAS")) return;
    form.acao(n, form.seta(n, "BAIXO") ? kDefesaAgachado : kDefesaEmPe);
}

bool efeitoHostil(const Efeito& e, int n) {
    return e.tipo != 0 && e.ativo == 1 && e.dono != n;
}

}  // namespace

void TForm1::pedidosDefesa(int n) {
    if (L(3 - n).ataque == 1) pedeDefesa(*this, n);
}

// 13. Block requests of both fighters; in this pass every hostile effect is a threat too.
void TForm1::lutaDefesas() {
    for (int n = 1; n <= 2; ++n) {
        pedidosDefesa(n);
        for (int i = 1; i <= kEffectSlots; ++i) {
            if (efeitoHostil(g.efeitos[static_cast<size_t>(i)], n)) pedeDefesa(*this, n);
        }
    }
}

}  // namespace pelea
