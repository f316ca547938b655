// Direction and command input: device states turned into requests, and the command-sequence
// recognisers.
#include "game/tform1.h"

namespace pelea {

bool TForm1::seta(int /*n*/, std::string_view /*nome*/) {
    return false;
}

void TForm1::sequencia(int /*n*/, int /*de*/, int /*para*/) {}

void TForm1::sequenciagolpe(int /*n*/) {}

void TForm1::golpe(int /*n*/, int /*tipo*/) {}

void TForm1::entradaJogador(int /*n*/) {}

// 8. The devices are read every fight frame, then each person-driven fighter's requests.
void TForm1::lutaEntradaJogador() {
    DXInput1.Update();
}

// 9. Command-sequence recognisers of both fighters.
void TForm1::lutaSequencias() {}

}  // namespace pelea
