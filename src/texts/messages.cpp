#include "texts/messages.h"

#include <cerrno>
#include <cstring>

#include "console/console.h"
#include "texts/texts.h"

namespace {

constexpr double PerCent = 100.0;

// A spent quota is a full disk to the student; Windows has no code for it.
bool diskIsFull(int error) {
#ifdef EDQUOT
    if (error == EDQUOT) {
        return true;
    }
#endif
    return error == ENOSPC;
}

// A mistake about the language is said in both, the chosen one first: whoever made it may read
// either.
void sayInBothLanguages(Text key, const char* value) {
    const char* chosen = text(key);
    const char* other = chosen == japaneseText(key) ? englishText(key) : japaneseText(key);
    consoleErrorPrintf(chosen, value);
    consoleErrorPrintf(other, value);
}

} // namespace

void printUsage() {
    consoleWrite(text(Text::Usage));
}

void printVersion() {
    consolePrintf("spring-chain %s\n", SPRING_CHAIN_VERSION);
}

void reportCommandLineFault(CommandLineFault fault, const char* argument) {
    switch (fault) {
    case CommandLineFault::UnknownOption:
        consoleErrorPrintf(text(Text::UnknownOption), argument);
        break;
    case CommandLineFault::UnexpectedArgument:
        consoleErrorPrintf(text(Text::UnexpectedArgument), argument, argument);
        break;
    case CommandLineFault::OptionNeedsValue:
        consoleErrorPrintf(text(Text::OptionNeedsValue), argument);
        break;
    case CommandLineFault::UnknownLanguage:
        sayInBothLanguages(Text::UnknownLanguage, argument);
        break;
    }
}

void reportUnknownLanguageInEnvironment(const char* value) {
    sayInBothLanguages(Text::UnknownLanguageInEnvironment, value);
}

void reportNoDisplay(const char* display) {
    if (display == nullptr) {
        consoleErrorPrintf("%s", text(Text::NoDisplay));
    } else {
        consoleErrorPrintf(text(Text::NoDisplayNamed), display);
    }
}

void reportDisplayLost() {
    consoleErrorPrintf("%s", text(Text::DisplayLost));
}

void reportUnreadableGeometry(const char* typed) {
    consoleErrorPrintf(text(Text::UnreadableGeometry), typed);
}

void printEnergyReport(double startEnergy, int modes, const double* omega, const double* shares) {
    consolePrintf(text(Text::EnergyHeading), startEnergy);
    for (int r = 0; r < modes; ++r) {
        consolePrintf(text(Text::ModeShare), r + 1, omega[r], PerCent * shares[r]);
    }
}

void printSaved(const char* picture, const char* history) {
    consolePrintf(text(Text::Saved), picture, history);
}

void printSavedWithSpectrum(const char* picture, const char* history, const char* spectrum) {
    consolePrintf(text(Text::SavedWithSpectrum), picture, history, spectrum);
}

void printNotSaved(const char* folder, int error) {
    const char* reason = std::strerror(error);
    if (error == EACCES || error == EPERM || error == EROFS) {
        reason = text(Text::NoPermission);
    } else if (error == ENOENT || error == ENOTDIR) {
        reason = text(Text::NoSuchFolder);
    } else if (diskIsFull(error)) {
        reason = text(Text::DiskFull);
    }
    consoleErrorPrintf(text(Text::NotSaved), folder, reason);
}

void printNamesTaken(const char* first, const char* last) {
    consoleErrorPrintf(text(Text::NamesTaken), first, last);
}

void reportEndOfInput() {
    consoleErrorPrintf("%s", text(Text::EndOfInput));
}

void reportQuestionLeft() {
    consoleErrorPrintf("%s", text(Text::QuestionLeft));
}

void reportNoConsoleToAsk(unsigned char key) {
    consoleErrorPrintf(text(Text::NoConsoleToAsk), key);
}
