#include "app/command_line.h"
#include "app/run_start.h"
#include "app/window_loop.h"
#include "console/console.h"
#include "dialogue/dialogue.h"
#include "dialogue/token_reader.h"
#include "model/simulation_state.h"
#include "render/window_system.h"
#include "texts/messages.h"

namespace {

constexpr int NoDisplayStatus = 1;

// The input ended while the first dialogue still needed a value: there is no model to show.
constexpr int EndOfInputStatus = 2;

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
    case Request::Simulate:
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
    try {
        runDialogue();
    } catch (const InputEnded&) {
        reportEndOfInput();
        return EndOfInputStatus;
    }
    startRun();
    if (!displayAvailable(argc, argv)) {
        reportNoDisplay(line.display);
        return NoDisplayStatus;
    }
    runGraphics(&argc, argv, geometry);
}
