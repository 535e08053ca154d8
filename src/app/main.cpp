#include "app/simulation_state.h"
#include "console/console.h"

int main(int, char**) {
    selectConsoleEncoding();
    SimulationState::LastKey = 'n';
    runDialogue();
    return 0;
}
