// The console's text in a browser: the page's console pane (#console-output), which takes UTF-8.
// Reading is input_web.cpp's. The page's side is springChain, in web/shell.html.
#include <emscripten.h>

#include <cstdio>
#include <string>

#include "console/console_platform.h"

namespace {

// clang-format off
// The page takes the text as bytes and decodes them itself.
EM_JS(void, writeToPane, (const char* text, int length), {
    springChain.write(new TextDecoder().decode(HEAPU8.subarray(text, text + length)));
});
// clang-format on

} // namespace

bool openConsole() {
    return false;
}

void writeConsoleText(std::FILE*, const char* utf8) {
    writeToPane(utf8, static_cast<int>(std::string(utf8).size()));
}

bool isPlatformHelpOption(const char*) {
    return false;
}
