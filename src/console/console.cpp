#include "console/console.h"

#include <cstdarg>
#include <cstdio>
#include <string>

#include "console/console_input.h"
#include "console/console_platform.h"
#include "console/text_encoding.h"

namespace {

std::string format(const char* format, va_list args) {
    char buffer[512];
    va_list again;
    va_copy(again, args);
    const int length = std::vsnprintf(buffer, sizeof buffer, format, args);
    if (length < 0) {
        va_end(again);
        return "";
    }
    if (static_cast<std::size_t>(length) < sizeof buffer) {
        va_end(again);
        return buffer;
    }
    // Only a huge number overflows the buffer; format it again at its full length.
    std::string large(static_cast<std::size_t>(length) + 1, '\0');
    std::vsnprintf(&large[0], large.size(), format, again);
    va_end(again);
    large.resize(static_cast<std::size_t>(length));
    return large;
}

} // namespace

void selectConsoleEncoding() {
    openInput();
    useCodePage932(openConsole());
}

bool consoleInputIsTerminal() {
    return inputIsConsole();
}

void consoleWrite(const char* text) {
    writeConsoleText(stdout, text);
    if (std::FILE* terminal = promptsAlsoTo()) {
        writeConsoleText(terminal, text);
    }
}

void consolePrintf(const char* formatText, ...) {
    va_list args;
    va_start(args, formatText);
    const std::string out = format(formatText, args);
    va_end(args);
    consoleWrite(out.c_str());
}

void consoleErrorPrintf(const char* formatText, ...) {
    va_list args;
    va_start(args, formatText);
    const std::string out = format(formatText, args);
    va_end(args);
    writeConsoleText(stderr, out.c_str());
}
