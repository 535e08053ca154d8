// What the console says about the energy panel's numbers and the files saved for the report.
#include <cstdio>

#include "console/console.h"
#include "console/console_io.h"
#include "console/console_platform.h"
#include "console/texts.h"

namespace {

constexpr double PerCent = 100.0;

} // namespace

void printEnergyReport(double startEnergy, int modes, const double* omega, const double* shares) {
    consolePrintf(text(Text::EnergyHeading), startEnergy);
    for (int r = 0; r < modes; ++r) {
        consolePrintf(text(Text::ModeShare), r + 1, omega[r], PerCent * shares[r]);
    }
}

void printSaved(const char* picture, const char* history) {
    consolePrintf(text(Text::Saved), picture, history);
}

void printNotSaved(const char* file, const char* reason) {
    consoleErrorPrintf(text(Text::NotSaved), file, reason);
}

void printNamesTaken(const char* first, const char* last) {
    consoleErrorPrintf(text(Text::NamesTaken), first, last);
}
