#include "options/legend.h"

#include "options/controls_screen.h"

namespace options {

std::string moveLegend(const Bindings& b, int fighter, bool pad) {
    const auto name = [&](int control) {
        return pad ? buttonLabel(b.button(fighter, control)) : keyLabel(b.key(fighter, control));
    };
    return "+S = " + name(Button1) + " / " + name(Button3) + "   +C = " + name(Button2) + " / " +
           name(Button4);
}

}  // namespace options
