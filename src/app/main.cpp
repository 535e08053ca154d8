#include "app/command_line.h"
#include "app/run_start.h"
#include "app/window_loop.h"
#include "console/console.h"
#include "model/simulation_state.h"
#include "render/window_system.h"

namespace {

constexpr int NoDisplayStatus = 1;

} // namespace

// The command line is read before anything else, and the whole first dialogue is answered before
// the window opens. A student at a terminal learns before the first question, not after the last,
// that no window can be opened; a scripted run still prints its tables, and then learns it.
int main(int argc, char** argv) {
    selectConsoleEncoding();
    const CommandLine line = readCommandLine(&argc, argv);
    switch (line.request) {
    case Request::Misuse:
        return MisuseStatus;
    case Request::Help:
        printUsage();
        return 0;
    case Request::Version:
        printVersion();
        return 0;
    case Request::Run:
        break;
    }
    const WindowGeometry geometry = takeWindowGeometry(&argc, argv);
    if (geometry.unreadable) {
        reportUnreadableGeometry(geometry.typed);
    }
    if (consoleInputIsTerminal() && !displayAvailable(argc, argv)) {
        reportNoDisplay(line.display);
        return NoDisplayStatus;
    }
    SimulationState::LastKey = 'n';
    runDialogue();
    startRun();
    if (!displayAvailable(argc, argv)) {
        reportNoDisplay(line.display);
        return NoDisplayStatus;
    }
    runGraphics(&argc, argv, geometry);
}
