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
bool AtTerminal = false; // the key's question is answered at the controlling terminal

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

// What was read ahead of standard input belongs to it: it is forgotten only when the terminal is
// read instead, and when standard input is read again after that.
bool openKeyQuestion(unsigned char key) {
    AtTerminal = !standardInputIsConsole() && readControllingTerminal();
    if (!standardInputIsConsole() && !AtTerminal && standardInputHasEnded()) {
        consoleErrorPrintf(text(Text::NoConsoleToAsk), key);
        return false;
    }
    if (AtTerminal) {
        startReadingAfresh();
    }
    Asking = true;
    return true;
}

void closeKeyQuestion() {
    Asking = false;
    readStandardInput();
    if (AtTerminal) {
        startReadingAfresh();
    }
}

bool askingForAKey() {
    return Asking;
}
