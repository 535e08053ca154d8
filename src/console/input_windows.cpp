// Reading the console on Windows. On a real console a line is read as UTF-16 and converted to the
// console's encoding, so it is right whatever the code page; on a pipe or a file the bytes come as
// they are. A window key's question, when standard input is not a console, is answered at the
// console the program runs in (CONIN$, its prompts also on CONOUT$).
#include <conio.h>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <string>

#include "base/wide_text.h"
#include "console/console_input.h"
#include "console/text_encoding.h"

namespace {

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

// The console read now: standard input's, or the one the program runs in (CONIN$); null while
// standard input is a pipe or a file.
HANDLE Console = nullptr;
HANDLE Conin = INVALID_HANDLE_VALUE;
std::FILE* Conout = nullptr;
DWORD SavedInputMode = 0;
HANDLE ControlC = nullptr; // set by the control handler

// UTF-16 text in the console's encoding.
std::string encode(const wchar_t* text, int count) {
    return narrow(text, count, consoleIsCodePage932() ? ShiftJisCodePage : CP_UTF8);
}

// ---------------------------------------------------------------------------------------------
// Ctrl-C

[[noreturn]] void endByControlC() {
    SetConsoleMode(Console, SavedInputMode);
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

void readConsole(HANDLE console) {
    Console = console;
    GetConsoleMode(Console, &SavedInputMode);
    if (ControlC == nullptr) {
        ControlC = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        SetConsoleCtrlHandler(onControl, TRUE);
    }
}

// ---------------------------------------------------------------------------------------------
// Lines typed at the console

std::string Line;
std::size_t LinePosition = 0;
bool LineStart = true;
bool ConsoleEnded = false;

// Ctrl-Z at the start of a line ends the input, as it does for Windows' own programs: Windows'
// console hands the reader nothing for it, others (Wine's) the character itself and the line end.
bool readConsoleLine() {
    wchar_t buffer[1024];
    DWORD count = 0;
    const BOOL read = ReadConsoleW(Console, buffer, 1024, &count, nullptr);
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

void openInput() {
    _setmode(_fileno(stdin), _O_BINARY);
    if (standardInputIsConsole()) {
        readConsole(GetStdHandle(STD_INPUT_HANDLE));
    }
}

bool inputIsConsole() {
    return Console != nullptr;
}

bool standardInputIsConsole() {
    return isConsoleHandle(GetStdHandle(STD_INPUT_HANDLE));
}

int readInputByte() {
    if (Console == nullptr) {
        return std::getc(stdin);
    }
    while (LinePosition >= Line.size()) {
        if (ConsoleEnded || !readConsoleLine()) {
            ConsoleEnded = true;
            return EOF;
        }
    }
    return static_cast<unsigned char>(Line[LinePosition++]);
}

bool readControllingTerminal() {
    if (Conin == INVALID_HANDLE_VALUE) {
        Conin = CreateFileW(L"CONIN$", GENERIC_READ | GENERIC_WRITE,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
        const HANDLE out =
            CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
        if (out != INVALID_HANDLE_VALUE) {
            Conout = _fdopen(_open_osfhandle(reinterpret_cast<intptr_t>(out), _O_BINARY), "wb");
        }
    }
    if (Conin == INVALID_HANDLE_VALUE || !isConsoleHandle(Conin)) {
        return false;
    }
    readConsole(Conin);
    ConsoleEnded = false;
    return true;
}

bool standardInputWouldWait() {
    const HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
    DWORD waiting = 0;
    return GetFileType(in) == FILE_TYPE_PIPE &&
           PeekNamedPipe(in, nullptr, 0, nullptr, &waiting, nullptr) && waiting == 0;
}

// A console's end (Ctrl-Z) left a question; the next question reads it afresh.
void readStandardInput() {
    Console = standardInputIsConsole() ? GetStdHandle(STD_INPUT_HANDLE) : nullptr;
    ConsoleEnded = false;
}

std::FILE* promptsAlsoTo() {
    return Console == Conin && !isConsoleHandle(GetStdHandle(STD_OUTPUT_HANDLE)) ? Conout : nullptr;
}

// Only the program's own thread can destroy its window on Windows: there is nothing to watch.
void endReadsWhenReadable(int) {}

// The key as a wide character, whatever the code page, given back in the console's encoding:
// full-width 'ｙ' answers yes in code page 437 and 65001 as in 932. Ctrl-Z ends the input here as
// at any other prompt; Ctrl-C, which _getwch hands over as a character, ends the program as it
// would at a prompt. _getwch reads the console the program runs in, and gives it its mode back
// before it returns: there is nothing to ready.
void prepareRawKey() {}

std::string readRawKey() {
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
