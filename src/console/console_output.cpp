// The console's text: the dialogue's prompts and tables, and the messages that end the program.
#include <cstdarg>
#include <cstdio>
#include <string>

#include "console/console.h"
#include "console/console_io.h"
#include "console/console_platform.h"
#include "console/text_encoding.h"

void selectConsoleEncoding() {
    useCodePage932(openConsole());
}

bool consoleInputIsTerminal() {
    return inputIsConsole();
}

void reportNoDisplay() {
    writeConsoleText(stderr, "ウィンドウを開く画面（ディスプレイ）に接続できないため終了します\n");
}

void reportUnreadableGeometry(const char* typed) {
    writeConsoleText(stderr, "-geometry の指定「");
    writeConsoleText(stderr, typed);
    writeConsoleText(stderr, "」は読めないため、ウィンドウは 800×800 で開きます\n");
}

void endOfInput() {
    writeConsoleText(stderr, "\n入力が終わったため終了します\n");
    leaveOnEndOfInput();
}

void consoleWrite(const char* text) {
    writeConsoleText(stdout, text);
}

void consolePrintf(const char* format, ...) {
    char buffer[512];
    va_list args;
    va_start(args, format);
    const int length = std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    if (length < 0 || static_cast<std::size_t>(length) < sizeof buffer) {
        consoleWrite(length < 0 ? "" : buffer);
        return;
    }
    // Only a huge number overflows the buffer; format it again at its full length.
    std::string large(static_cast<std::size_t>(length) + 1, '\0');
    va_start(args, format);
    std::vsnprintf(&large[0], large.size(), format, args);
    va_end(args);
    consoleWrite(large.c_str());
}
