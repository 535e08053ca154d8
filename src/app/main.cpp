#include "app/simulation_state.h"
#include "console/console.h"
#include "render/render.h"

// The whole first dialogue is answered before the window system is touched; only then does the
// window open.
int main(int argc, char** argv) {
    selectConsoleEncoding();
    SimulationState::LastKey = 'n';
    runDialogue();
    runGraphics(&argc, argv);
}
