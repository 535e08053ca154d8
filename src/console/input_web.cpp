// Reading the console in a browser: the page's input line (#console-input). A line comes in when
// the student presses Enter, and the yes/no answer as soon as a key is pressed, as at a terminal;
// a read waits for the page's events (Asyncify) on main's own stack. The page is always there to
// ask in. The page's side is springChain, in web/shell.html.
#include <emscripten.h>

#include <cstdio>
#include <string>

#include "console/console_input.h"

namespace {

// clang-format off
// Waits for the next line (its UTF-8 bytes are then fetched with fetchText), or for one key.
EM_ASYNC_JS(int, awaitLine, (), { return await springChain.nextLine(); });
EM_ASYNC_JS(int, awaitKey, (), { return await springChain.nextKey(); });
EM_JS(void, fetchText, (char* buffer), { HEAPU8.set(springChain.takeText(), buffer); });
// clang-format on

std::string received(int length) {
    std::string text(static_cast<std::size_t>(length), '\0');
    if (length > 0) {
        fetchText(&text[0]);
    }
    return text;
}

std::string Line;
std::size_t LinePosition = 0;

} // namespace

void openInput() {}

bool inputIsConsole() {
    return true;
}

bool standardInputIsConsole() {
    return true;
}

// The page never ends its input: a line always comes, sooner or later.
int readInputByte() {
    while (LinePosition >= Line.size()) {
        Line = received(awaitLine()) + "\n";
        LinePosition = 0;
    }
    return static_cast<unsigned char>(Line[LinePosition++]);
}

// The page's input line takes one key while the yes/no question waits; nothing to ready.
void prepareRawKey() {}

// The key's character in UTF-8; "\x1b" for a function, arrow or other named key.
std::string readRawKey() {
    return received(awaitKey());
}

bool readControllingTerminal() {
    return false;
}

// The page is always there to answer.
bool standardInputWouldWait() {
    return true;
}

void readStandardInput() {}

std::FILE* promptsAlsoTo() {
    return nullptr;
}

// A page's canvas cannot be taken away while the console waits: there is nothing to watch.
void endReadsWhenReadable(int) {}
