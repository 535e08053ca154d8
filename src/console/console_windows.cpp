// The console on Windows. Its encoding is code page 932 when the console's output code page (on a
// pipe or a file: the ANSI code page) is 932, UTF-8 otherwise. On a real console the text goes out
// as UTF-16 through the console API, and comes in so, a line at a time, converted to that encoding:
// it is right whatever the code page. On a pipe or a file it goes out and comes in as bytes with LF
// line ends, as on Linux.
#include <conio.h>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "base/wide_text.h"
#include "console/console.h"
#include "console/console_platform.h"
#include "console/text_encoding.h"

namespace {

constexpr UINT ShiftJisCodePage = 932;

// Windows' own status of a program that Ctrl-C ended (STATUS_CONTROL_C_EXIT).
constexpr UINT ControlCStatus = 0xC000013A;

// A read that Ctrl-C interrupts returns before the console's control handler, which runs on a
// thread of its own, has said so; it is given this long (ms) to say so.
constexpr DWORD ControlHandlerDelay = 1000;

constexpr wchar_t CtrlZ = 0x1a;
constexpr wchar_t CtrlC = 0x03;
// _getwch's codes before the second code of a function or arrow key.
constexpr wint_t ExtendedKeyLead = 0x00;
constexpr wint_t ArrowKeyLead = 0xe0;

bool InputIsConsole = false;
DWORD SavedInputMode = 0;
HANDLE ControlC = nullptr; // set by the control handler

bool isConsole(DWORD standardHandle) {
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(standardHandle), &mode) != 0;
}

// UTF-16 text in the console's encoding.
std::string encode(const wchar_t* text, int count) {
    const UINT codePage = consoleIsCodePage932() ? ShiftJisCodePage : CP_UTF8;
    const int length = WideCharToMultiByte(codePage, 0, text, count, nullptr, 0, nullptr, nullptr);
    std::string bytes(length > 0 ? static_cast<std::size_t>(length) : 0, '\0');
    WideCharToMultiByte(codePage, 0, text, count, &bytes[0], length, nullptr, nullptr);
    return bytes;
}

// ---------------------------------------------------------------------------------------------
// Ctrl-C

[[noreturn]] void endByControlC() {
    SetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), SavedInputMode);
    ExitProcess(ControlCStatus);
}

// Ctrl-C ends the program here, as Windows' own handler would, with the console's input mode
// given back. A read that Ctrl-C interrupted may have returned empty a moment before: the event
// keeps the reader from taking that for the end of the input.
BOOL WINAPI onControl(DWORD type) {
    if (type != CTRL_C_EVENT && type != CTRL_BREAK_EVENT) {
        return FALSE;
    }
    SetEvent(ControlC);
    endByControlC();
}

bool interrupted(DWORD waitMs) {
    return WaitForSingleObject(ControlC, waitMs) == WAIT_OBJECT_0;
}

// ---------------------------------------------------------------------------------------------
// Lines typed at the console

std::string Line;
std::size_t LinePosition = 0;
bool LineStart = true;
bool InputEnded = false;

// Ctrl-Z at the start of a line ends the input, as it does for Windows' own programs: Windows'
// console hands the reader nothing for it, others (Wine's) the character itself and the line end.
bool readConsoleLine() {
    wchar_t buffer[1024];
    DWORD count = 0;
    const BOOL read = ReadConsoleW(GetStdHandle(STD_INPUT_HANDLE), buffer, 1024, &count, nullptr);
    if (interrupted(read && count > 0 ? 0 : ControlHandlerDelay)) {
        endByControlC();
    }
    if (!read || count == 0 || (LineStart && buffer[0] == CtrlZ)) {
        return false;
    }
    Line = encode(buffer, static_cast<int>(count));
    LinePosition = 0;
    LineStart = buffer[count - 1] == L'\n';
    return true;
}

} // namespace

// Binary streams: LF stays LF, and bytes typed in code page 932 reach the reader unchanged.
bool openConsole() {
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    const UINT codePage = isConsole(STD_OUTPUT_HANDLE) ? GetConsoleOutputCP() : GetACP();
    InputIsConsole = isConsole(STD_INPUT_HANDLE);
    if (InputIsConsole) {
        GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &SavedInputMode);
        ControlC = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        SetConsoleCtrlHandler(onControl, TRUE);
    }
    return codePage == ShiftJisCodePage;
}

bool inputIsConsole() {
    return InputIsConsole;
}

int readInputByte() {
    if (!InputIsConsole) {
        return std::getc(stdin);
    }
    while (LinePosition >= Line.size()) {
        if (InputEnded || !readConsoleLine()) {
            InputEnded = true;
            return EOF;
        }
    }
    return static_cast<unsigned char>(Line[LinePosition++]);
}

// Only the program's own thread can destroy its window on Windows: there is nothing to watch.
void endReadsWhenReadable(int) {}

void writeConsoleText(std::FILE* stream, const char* utf8) {
    const DWORD handle = stream == stderr ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE;
    std::fflush(stream);
    const std::wstring wide = widen(utf8);
    if (isConsole(handle)) {
        DWORD written = 0;
        WriteConsoleW(GetStdHandle(handle), wide.data(), static_cast<DWORD>(wide.size()), &written,
                      nullptr);
        return;
    }
    const std::string bytes = consoleIsCodePage932()
                                  ? encode(wide.data(), static_cast<int>(wide.size()))
                                  : std::string(utf8);
    std::fwrite(bytes.data(), 1, bytes.size(), stream);
    std::fflush(stream);
}

// The key as a wide character, whatever the code page, given back in the console's encoding:
// full-width 'ｙ' answers yes in code page 437 and 65001 as in 932. Ctrl-Z ends the input here as
// at any other prompt; Ctrl-C, which _getwch hands over as a character, ends the program as it
// would at a prompt. _getwch gives the console its mode back before it returns.
std::string readRawKey(const char* question) {
    writeConsoleText(stdout, question);
    const wint_t key = _getwch();
    if (key == ExtendedKeyLead || key == ArrowKeyLead) {
        _getwch();
        return "\x1b";
    }
    if (key == CtrlZ) {
        return "";
    }
    if (key == CtrlC) {
        endByControlC();
    }
    wchar_t text[2] = {static_cast<wchar_t>(key), 0};
    int count = 1;
    if (IS_HIGH_SURROGATE(text[0])) {
        text[count++] = static_cast<wchar_t>(_getwch());
    }
    return encode(text, count);
}

bool isPlatformHelpOption(const char* argument) {
    return std::strcmp(argument, "/?") == 0;
}
