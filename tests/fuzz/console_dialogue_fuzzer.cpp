// libFuzzer harness: arbitrary bytes typed into the real dialogue, then into the window's keys
// (without the window), as a student could type them. It fails on a crash, a sanitizer report, a
// run over the time limit, a nan or inf anywhere in the console output, or results and motion
// that are not finite or not in range.
//
// The harness supplies its own leaveOnEndOfInput, so the library's, which ends the process, is
// never linked: the end of an input ends that input's run only.
#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cmath>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/keys.h"
#include "app/run_start.h"
#include "console/console.h"
#include "integration/integration.h"
#include "model/simulation_state.h"

using namespace SimulationState;

namespace {

struct InputEnded {};

void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void checkResults() {
    require(nfree >= 1 && nfree <= MaxDegreesOfFreedom);
    require(ncurve >= 0 && ncurve <= nfree);
    for (int k = 0; k < nfree; ++k) {
        require(std::isfinite(omega0[k]) && omega0[k] >= 0.0);
        require(k == 0 || omega0[k - 1] <= omega0[k]);
        require(ModeMaxAmplitude[k] >= 1.0 && std::isfinite(ModeMaxAmplitude[k]));
        for (int i = 0; i < nfree; ++i) {
            require(std::isfinite(ModeShape[k][i]));
        }
    }
}

void checkMotion() {
    for (int i = 0; i < 2 * nfree; ++i) {
        require(std::isfinite(StateVector[i]));
    }
    require(HistoryIndex >= 0 && HistoryIndex < HistoryLength);
}

// One frame of motion as the display callback makes it, less the drawing.
void frame() {
    advanceMotion();
    recordHistorySample();
    checkMotion();
}

void resetState() {
    nfree = 0;
    ncurve = 0;
    SimTime = 0.0;
    HistoryIndex = 0;
    TimeScale = 0.0;
    for (int i = 0; i < MassCapacity; ++i) {
        m[i] = K[i] = SimulationState::y0[i] = v0[i] = AmplitudeScale[i] = 0.0;
    }
}

// The dialogue from the start, then the rest of the input as keys of the window.
void typeAll() {
    LastKey = 'n';
    runDialogue();
    startRun();
    checkResults();
    constexpr int MaxKeys = 64; // keeps a run well inside the time limit
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
            frame();
        }
    }
}

bool mentionsNanOrInf(const char* text, std::size_t length) {
    for (std::size_t i = 0; i + 3 <= length; ++i) {
        if (strncasecmp(text + i, "nan", 3) == 0 || strncasecmp(text + i, "inf", 3) == 0) {
            return true;
        }
    }
    return false;
}

} // namespace

void leaveOnEndOfInput() {
    throw InputEnded{};
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // A terminal on descriptor 0 would make the yes/no question wait for a real key press, and a
    // controlling terminal would take the window keys' questions: the fuzzer types them all.
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
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
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
    resetState();
    try {
        typeAll();
    } catch (const InputEnded&) {
    }
    stdin = savedIn;
    stdout = savedOut;
    std::fclose(input);
    std::fclose(output);
    require(!mentionsNanOrInf(text, length));
    std::free(text);
    return 0;
}
