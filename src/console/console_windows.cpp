// The console's text on Windows. Its encoding is code page 932 when the console's output code page
// (on a pipe or a file: the ANSI code page) is 932, UTF-8 otherwise. On a real console the text
// goes out as UTF-16 through the console API: it is right whatever the code page. On a pipe or a
// file it goes out as bytes with LF line ends, as on Linux. Reading is input_windows.cpp's.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "base/wide_text.h"
#include "console/console_platform.h"
#include "console/text_encoding.h"

namespace {

HANDLE handleOf(std::FILE* stream) {
    return reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
}

} // namespace

// Binary streams: LF stays LF, and bytes typed in code page 932 reach the reader unchanged.
bool openConsole() {
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    const UINT codePage = isConsoleHandle(out) ? GetConsoleOutputCP() : GetACP();
    return codePage == ShiftJisCodePage;
}

void writeConsoleText(std::FILE* stream, const char* utf8) {
    std::fflush(stream);
    const HANDLE handle = handleOf(stream);
    const std::wstring wide = widen(utf8);
    if (isConsoleHandle(handle)) {
        DWORD written = 0;
        WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        return;
    }
    const std::string bytes =
        consoleIsCodePage932()
            ? narrow(wide.data(), static_cast<int>(wide.size()), ShiftJisCodePage)
            : std::string(utf8);
    std::fwrite(bytes.data(), 1, bytes.size(), stream);
    std::fflush(stream);
}

bool isPlatformHelpOption(const char* argument) {
    return std::strcmp(argument, "/?") == 0;
}
