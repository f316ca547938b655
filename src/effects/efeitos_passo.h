// The contact steps of the per-frame effect pass: effects against effects, and against fighters.
#pragma once

namespace pelea {
class TForm1;
}

namespace pelea::efeitos {

// 6. Two live effects of different owners that overlap cancel each other.
void choque(TForm1& f, int slot);
// 7. The effect against fighter 1, then fighter 2: block, hit and pickup.
void contatoLutadores(TForm1& f, int slot);

}  // namespace pelea::efeitos
