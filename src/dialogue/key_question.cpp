#include "dialogue/key_question.h"

#include <cstdio>

#include "console/console_input.h"
#include "dialogue/token_reader.h"
#include "texts/messages.h"

namespace {

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
        reportNoConsoleToAsk(key);
        return false;
    }
    if (AtTerminal) {
        forgetReadAhead();
    }
    return true;
}

void closeKeyQuestion() {
    readStandardInput();
    if (AtTerminal) {
        forgetReadAhead();
    }
}
