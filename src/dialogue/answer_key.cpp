#include "dialogue/answer_key.h"

#include <cstddef>
#include <cstdio>
#include <string>

#include "console/console.h"
#include "console/console_input.h"
#include "console/text_encoding.h"
#include "dialogue/token_reader.h"

namespace {

// The answer a raw key press gives: full-width 'ｙ' counts as 'y', any other character as its lead
// byte, a function key as Escape; no key at all is the end of the input.
int keyPressed(const std::string& bytes) {
    if (bytes.empty()) {
        throw InputEnded{};
    }
    const int lead = static_cast<unsigned char>(bytes[0]);
    const auto at = [&bytes](std::size_t i) {
        return i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : -1;
    };
    const int ascii = consoleIsCodePage932() ? fullWidthInCodePage932(lead, at(1))
                                             : fullWidthInUtf8(lead, at(1), at(2));
    return ascii == 'y' ? 'y' : lead;
}

} // namespace

// An answer already typed on the line of the last value ("2 n") is taken as typed, on a terminal as
// on a pipe; on a pipe the answer is otherwise the next non-blank character. Either way the rest
// of the answer's line is dropped, so "yes" is one answer.
int askForKey(const char* question) {
    if (consoleInputIsTerminal()) {
        const int typedAhead = answerLeftOnLine();
        if (typedAhead != 0) {
            consoleWrite(question);
            return typedAhead;
        }
        prepareRawKey();
        consoleWrite(question);
        return keyPressed(readRawKey());
    }
    consoleWrite(question);
    const int answer = takeNonBlank();
    openLine();
    answerLeftOnLine();
    return answer;
}
