// What the console says about the energy panel's numbers and the files saved for the report.
#include <cstdio>

#include "console/console.h"
#include "console/console_io.h"
#include "console/console_platform.h"

namespace {

constexpr double PerCent = 100.0;

} // namespace

void printEnergyReport(double startEnergy, int modes, const double* omega, const double* shares) {
    consolePrintf("\n\nエネルギー　E0=%.6g[J]\n", startEnergy);
    consoleWrite("各モードのエネルギーの割合\n");
    for (int r = 0; r < modes; ++r) {
        consolePrintf("第%dモード　ω0=%.4f[rad/s]　%8.4f[%%]\n", r + 1, omega[r],
                      PerCent * shares[r]);
    }
}

void printSaved(const char* picture, const char* history) {
    consolePrintf("\n画像と応答データを保存しました：%s，%s\n", picture, history);
}

void printNotSaved(const char* file, const char* reason) {
    writeConsoleText(stderr, "\nファイル ");
    writeConsoleText(stderr, file);
    writeConsoleText(stderr, " を保存できませんでした：");
    writeConsoleText(stderr, reason);
    writeConsoleText(stderr, "\n");
}
