#include "app/mode_view.h"

#include "app/energy_view.h"
#include "model/simulation_state.h"
#include "render/render.h"

using SimulationState::Entries;

namespace {

// Equal masses on equal springs, the walls' included and none cut: the chain whose frequencies
// follow 2 sqrt(k/m) sin(r pi / (2 (n + 1))).
bool uniformChain(const MassSpringChain& chain) {
    for (int i = 0; i < chain.nfree; ++i) {
        if (chain.m[i] != chain.m[0]) {
            return false;
        }
    }
    for (int i = 0; i <= chain.nfree; ++i) {
        if (chain.K[i] != chain.K[0]) {
            return false;
        }
    }
    return chain.K[0] > 0.0;
}

} // namespace

void drawModesView() {
    const MassSpringChain& chain = Entries.chain;
    const ModalResults& modes = Entries.modes;
    const ModeFigure figure = {
        chain.nfree,     modes.omega0,        modes.ModeShape, modes.ModeMaxAmplitude,
        modeSharesNow(), uniformChain(chain), chain.m[0],      chain.K[0]};
    drawModeFigure(&figure);
}
