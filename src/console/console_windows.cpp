// The console on Windows. Its encoding is code page 932 when the console's output code page (on a
// pipe or a file: the ANSI code page) is 932, UTF-8 otherwise. On a real console the text goes out
// as UTF-16 through the console API, so it is right whatever the code page; on a pipe or a file it
// goes out as bytes with LF line ends, as on Linux. The raw key is _getch, which gives the console
// its mode back before it returns, also when Ctrl-C is the key.
#include <conio.h>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <csignal>
#include <cstdio>
#include <string>

#include "console/console_platform.h"

namespace {

constexpr UINT ShiftJisCodePage = 932;

bool CodePage932 = false;

bool isConsole(DWORD standardHandle) {
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(standardHandle), &mode) != 0;
}

std::wstring widen(const char* utf8) {
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
    std::wstring wide(length > 0 ? static_cast<std::size_t>(length) : 1, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, &wide[0], length);
    wide.resize(wide.size() - 1);
    return wide;
}

std::string toCodePage932(const std::wstring& wide) {
    const int length =
        WideCharToMultiByte(ShiftJisCodePage, 0, wide.data(), static_cast<int>(wide.size()),
                            nullptr, 0, nullptr, nullptr);
    std::string bytes(length > 0 ? static_cast<std::size_t>(length) : 0, '\0');
    WideCharToMultiByte(ShiftJisCodePage, 0, wide.data(), static_cast<int>(wide.size()), &bytes[0],
                        length, nullptr, nullptr);
    return bytes;
}

bool isShiftJisLead(int c) {
    return (c >= 0x81 && c <= 0x9f) || (c >= 0xe0 && c <= 0xfc);
}

// _getch's codes: 0x00 or 0xe0 before the second code of a function or arrow key, Ctrl-Z and
// Ctrl-C as themselves.
constexpr int ExtendedKeyLead = 0x00;
constexpr int ArrowKeyLead = 0xe0;
constexpr int CtrlZ = 0x1a;
constexpr int CtrlC = 0x03;

} // namespace

// Binary streams: LF stays LF, and bytes typed in code page 932 reach the reader unchanged.
bool openConsole() {
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    const UINT codePage = isConsole(STD_OUTPUT_HANDLE) ? GetConsoleOutputCP() : GetACP();
    CodePage932 = codePage == ShiftJisCodePage;
    return CodePage932;
}

bool inputIsConsole() {
    return isConsole(STD_INPUT_HANDLE);
}

void writeConsoleText(std::FILE* stream, const char* utf8) {
    const DWORD handle = stream == stderr ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE;
    std::fflush(stream);
    if (isConsole(handle)) {
        const std::wstring wide = widen(utf8);
        DWORD written = 0;
        WriteConsoleW(GetStdHandle(handle), wide.data(), static_cast<DWORD>(wide.size()), &written,
                      nullptr);
        return;
    }
    const std::string bytes = CodePage932 ? toCodePage932(widen(utf8)) : std::string(utf8);
    std::fwrite(bytes.data(), 1, bytes.size(), stream);
    std::fflush(stream);
}

// Ctrl-Z ends the input here as it does at any other prompt; Ctrl-C ends the program as it would
// at a prompt.
std::string readRawKey(const char* question) {
    writeConsoleText(stdout, question);
    const int key = _getch();
    if (key == ExtendedKeyLead || key == ArrowKeyLead) {
        _getch();
        return "\x1b";
    }
    if (key == CtrlZ) {
        return "";
    }
    if (key == CtrlC) {
        std::raise(SIGINT);
        return "";
    }
    std::string bytes(1, static_cast<char>(key));
    if (CodePage932 && isShiftJisLead(key)) {
        bytes.push_back(static_cast<char>(_getch()));
    }
    return bytes;
}
