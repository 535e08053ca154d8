// Where the question of a window's key is answered. The first dialogue reads standard input to
// its end; a key pressed in the window later asks a student who is at the window, and so at the
// terminal the program was started from, whatever standard input was.
#include <cstdio>

#include "console/console.h"
#include "console/console_input.h"
#include "console/console_io.h"
#include "console/texts.h"

namespace {

bool Asking = false;

// Nothing more to read: a byte already there is looked at and given back, and a pipe that holds
// nothing yet may still bring the answers.
bool standardInputHasEnded() {
    if (standardInputWouldWait()) {
        return false;
    }
    const int byte = std::getc(stdin);
    if (byte == EOF) {
        return true;
    }
    std::ungetc(byte, stdin);
    return false;
}

} // namespace

bool openKeyQuestion(unsigned char key) {
    if (!standardInputIsConsole() && !readControllingTerminal() && standardInputHasEnded()) {
        consoleErrorPrintf(text(Text::NoConsoleToAsk), key);
        return false;
    }
    startReadingAfresh();
    Asking = true;
    return true;
}

void closeKeyQuestion() {
    Asking = false;
    readStandardInput();
    startReadingAfresh();
}

bool askingForAKey() {
    return Asking;
}
