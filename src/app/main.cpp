#include "app/run_start.h"
#include "app/window_loop.h"
#include "console/console.h"
#include "model/simulation_state.h"
#include "render/window_system.h"

namespace {

constexpr int NoDisplayStatus = 1;

} // namespace

// The whole first dialogue is answered before the window opens. A student at a terminal learns
// before the first question, not after the last, that no window can be opened; a scripted run
// still prints its tables, and then learns it.
int main(int argc, char** argv) {
    selectConsoleEncoding();
    const WindowGeometry geometry = takeWindowGeometry(&argc, argv);
    if (geometry.unreadable) {
        reportUnreadableGeometry(geometry.typed);
    }
    if (consoleInputIsTerminal() && !displayAvailable(argc, argv)) {
        reportNoDisplay();
        return NoDisplayStatus;
    }
    SimulationState::LastKey = 'n';
    runDialogue();
    startRun();
    if (!displayAvailable(argc, argv)) {
        reportNoDisplay();
        return NoDisplayStatus;
    }
    runGraphics(&argc, argv, geometry);
}
