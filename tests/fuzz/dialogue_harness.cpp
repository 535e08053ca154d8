#include "dialogue_harness.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>

#include "app/frame.h"
#include "app/keys.h"
#include "app/run_start.h"
#include "console/console.h"
#include "dialogue/dialogue.h"
#include "dialogue/token_reader.h"
#include "model/simulation_state.h"

using namespace SimulationState;

namespace {

// Keeps a run well inside the fuzzer's time limit.
constexpr int MaxKeys = 64;

void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void checkResults() {
    const int nfree = Entries.chain.nfree;
    require(nfree >= 1 && nfree <= MaxDegreesOfFreedom);
    require(Entries.start.ncurve >= 0 && Entries.start.ncurve <= nfree);
    for (int k = 0; k < nfree; ++k) {
        const double omega = Entries.modes.omega0[k];
        require(std::isfinite(omega) && omega >= 0.0);
        require(k == 0 || Entries.modes.omega0[k - 1] <= omega);
        const double largest = Entries.modes.ModeMaxAmplitude[k];
        require(largest >= 1.0 && std::isfinite(largest));
        for (int i = 0; i < nfree; ++i) {
            require(std::isfinite(Entries.modes.ModeShape[k][i]));
        }
    }
}

void checkMotion() {
    for (int i = 0; i < 2 * Entries.chain.nfree; ++i) {
        require(std::isfinite(Motion.StateVector[i]));
    }
    require(Picture.HistoryIndex >= 0 && Picture.HistoryIndex < HistoryLength);
}

// The dialogue from the start, then the rest of the input as keys of the window; a step is one
// frame of motion as the display callback makes it, less the drawing.
void typeAll() {
    LastKey = 'n';
    runDialogue();
    startRun();
    checkResults();
    for (int keys = 0; keys < MaxKeys; ++keys) {
        const int key = std::getc(stdin);
        if (key == EOF) {
            return;
        }
        const KeyOutcome outcome = applyKeyCommand(static_cast<unsigned char>(key));
        checkResults();
        if (outcome == KeyOutcome::Quit) {
            return;
        }
        if (outcome == KeyOutcome::Step) {
            advanceFrame();
            checkMotion();
        }
    }
}

} // namespace

void prepareDialogueHarness() {
    const int empty = open("/dev/null", O_RDONLY);
    dup2(empty, STDIN_FILENO);
    close(empty);
    const int terminal = open("/dev/tty", O_RDWR | O_NOCTTY);
    if (terminal >= 0) {
        // A session leader giving up its terminal is sent SIGHUP.
        const auto usual = std::signal(SIGHUP, SIG_IGN);
        ioctl(terminal, TIOCNOTTY);
        std::signal(SIGHUP, usual);
        close(terminal);
    }
    selectConsoleEncoding();
}

// Every input starts from the state the program starts with, and from a new source of input: no
// input's output depends on the inputs before it.
std::string typeIntoProgram(const std::uint8_t* data, std::size_t size) {
    static char nothing = 0;
    FILE* input = size > 0 ? fmemopen(const_cast<std::uint8_t*>(data), size, "r")
                           : fmemopen(&nothing, 1, "r");
    if (size == 0) {
        std::fgetc(input);
    }
    char* text = nullptr;
    std::size_t length = 0;
    FILE* output = open_memstream(&text, &length);
    FILE* const savedIn = stdin;
    FILE* const savedOut = stdout;
    stdin = input;
    stdout = output;
    resetSimulationState();
    startReadingNewSource();
    try {
        typeAll();
    } catch (const InputEnded&) {
    }
    stdin = savedIn;
    stdout = savedOut;
    std::fclose(input);
    std::fclose(output);
    std::string written(text, length);
    std::free(text);
    return written;
}
