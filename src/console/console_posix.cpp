// The console on POSIX systems: the locale names the encoding (iconv converts to code page 932),
// and the raw key press puts the terminal in non-canonical mode and gives it back on every exit.
#include <cerrno>
#include <clocale>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <iconv.h>
#include <langinfo.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include "console/console.h"
#include "console/console_platform.h"
#include "console/text_encoding.h"

namespace {

// ---------------------------------------------------------------------------------------------
// Output encoding

const iconv_t NoConversion = reinterpret_cast<iconv_t>(-1);
iconv_t toCodePage932 = NoConversion;

// The codeset part of the locale the environment names ("ja_JP.SJIS@x" gives "SJIS"), for a
// locale that is named but not installed on this machine.
std::string codesetNamedByEnvironment() {
    const char* names[] = {"LC_ALL", "LC_CTYPE", "LANG"};
    for (const char* variable : names) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') {
            std::string locale = value;
            const std::size_t dot = locale.find('.');
            if (dot == std::string::npos) {
                return "";
            }
            return locale.substr(dot + 1, locale.find('@', dot) - dot - 1);
        }
    }
    return "";
}

bool localeIsShiftJis() {
    bool shiftJis = false;
    if (std::setlocale(LC_CTYPE, "") != nullptr) {
        shiftJis = namesShiftJis(nl_langinfo(CODESET));
    }
    if (!shiftJis) {
        shiftJis = namesShiftJis(codesetNamedByEnvironment().c_str());
    }
    // Input is read byte by byte and numbers are read in the C locale.
    std::setlocale(LC_CTYPE, "C");
    return shiftJis;
}

void writeBytes(std::FILE* stream, const char* bytes, std::size_t length) {
    std::fwrite(bytes, 1, length, stream);
    std::fflush(stream);
}

void writeText(std::FILE* stream, const char* text) {
    const std::size_t length = std::strlen(text);
    if (!consoleIsCodePage932()) {
        writeBytes(stream, text, length);
        return;
    }
    std::string out(length * 2 + 16, '\0');
    char* in = const_cast<char*>(text);
    std::size_t inLeft = length;
    char* to = &out[0];
    std::size_t outLeft = out.size();
    iconv(toCodePage932, nullptr, nullptr, nullptr, nullptr);
    while (inLeft > 0) {
        if (iconv(toCodePage932, &in, &inLeft, &to, &outLeft) == static_cast<std::size_t>(-1)) {
            // A character without a code in the target passes unchanged rather than vanish.
            if (errno != EILSEQ || outLeft == 0) {
                break;
            }
            *to++ = *in++;
            --inLeft;
            --outLeft;
        }
    }
    writeBytes(stream, out.data(), out.size() - outLeft);
}

// ---------------------------------------------------------------------------------------------
// The raw key press

struct termios savedTerminal;
struct termios rawTerminal;

// A signal that stops or ends the program while a key is awaited leaves the terminal as it found
// it; a program continued after Ctrl-Z goes back to waiting for the key.
void restoreAndResignal(int signal) {
    tcsetattr(STDIN_FILENO, TCSANOW, &savedTerminal);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

void resumeRawRead(int) {
    tcsetattr(STDIN_FILENO, TCSANOW, &rawTerminal);
    std::signal(SIGTSTP, restoreAndResignal);
}

constexpr int GuardedSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGTSTP};

void guardTerminal() {
    for (int s : GuardedSignals) {
        std::signal(s, restoreAndResignal);
    }
    std::signal(SIGCONT, resumeRawRead);
}

void unguardTerminal() {
    for (int s : GuardedSignals) {
        std::signal(s, SIG_DFL);
    }
    std::signal(SIGCONT, SIG_DFL);
}

// ---------------------------------------------------------------------------------------------
// Waiting for input

// The descriptor that says the window has gone, -1 before there is a window.
int WindowEnd = -1;

// A terminal left raw by the key being read, to give back as it was before the program ends.
bool TerminalRaw = false;

// Returns once standard input has a byte to read (or has ended); a window gone meanwhile ends the
// program here, with status 0.
void awaitInput() {
    if (WindowEnd < 0) {
        return;
    }
    struct pollfd watched[2] = {{STDIN_FILENO, POLLIN, 0}, {WindowEnd, POLLIN, 0}};
    while (poll(watched, 2, -1) < 0 && errno == EINTR) {
    }
    if ((watched[1].revents & (POLLIN | POLLHUP)) != 0 && watched[0].revents == 0) {
        if (TerminalRaw) {
            tcsetattr(STDIN_FILENO, TCSANOW, &savedTerminal);
        }
        std::exit(0);
    }
}

// -1 when the terminal has closed.
int readKeyByte() {
    for (;;) {
        awaitInput();
        unsigned char byte = 0;
        const ssize_t got = read(STDIN_FILENO, &byte, 1);
        if (got == 1) {
            return byte;
        }
        if (got == 0 || errno != EINTR) {
            return -1;
        }
    }
}

// The bytes that follow the first byte of one key arrive together; 50 ms is far longer than any
// terminal takes to send them and far shorter than a second key press.
constexpr int SequenceGapMs = 50;

int readFollowingByte() {
    struct pollfd in = {STDIN_FILENO, POLLIN, 0};
    if (poll(&in, 1, SequenceGapMs) <= 0) {
        return -1;
    }
    return readKeyByte();
}

// A function or arrow key sends ESC [ ... final byte, or ESC O x; Alt and a key sends ESC x.
void drainEscapeSequence() {
    const int next = readFollowingByte();
    if (next == '[') {
        for (int c = readFollowingByte(); c != -1; c = readFollowingByte()) {
            if (c >= 0x40 && c <= 0x7e) {
                break;
            }
        }
    } else if (next == 'O') {
        readFollowingByte();
    }
}

// The whole of one multi-byte character typed as the key.
std::string readCharacter(int lead) {
    std::string bytes(1, static_cast<char>(lead));
    for (int i = trailingBytes(lead); i > 0; --i) {
        const int trail = readFollowingByte();
        if (trail < 0) {
            break;
        }
        bytes.push_back(static_cast<char>(trail));
    }
    return bytes;
}

} // namespace

// The terminal goes raw before the question is written, so a key pressed the moment the question
// appears is neither echoed nor held back for an Enter.
std::string readRawKey(const char* question) {
    tcgetattr(STDIN_FILENO, &savedTerminal);
    rawTerminal = savedTerminal;
    rawTerminal.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
    rawTerminal.c_cc[VMIN] = 1;
    rawTerminal.c_cc[VTIME] = 0;
    guardTerminal();
    tcsetattr(STDIN_FILENO, TCSANOW, &rawTerminal);
    TerminalRaw = true;
    writeConsoleText(stdout, question);

    // The terminal's end-of-file key (Ctrl-D) ends the input here as it does at any other prompt.
    const int key = readKeyByte();
    std::string bytes;
    if (key < 0 ||
        (savedTerminal.c_cc[VEOF] != _POSIX_VDISABLE && key == savedTerminal.c_cc[VEOF])) {
        bytes.clear();
    } else if (key == 0x1b) {
        drainEscapeSequence();
        bytes = "\x1b";
    } else if (key >= 0x80) {
        bytes = readCharacter(key);
    } else {
        bytes = std::string(1, static_cast<char>(key));
    }

    tcsetattr(STDIN_FILENO, TCSANOW, &savedTerminal);
    TerminalRaw = false;
    unguardTerminal();
    return bytes;
}

// Standard input is read unbuffered, so that a byte the console has not taken is never held in a
// buffer while the console waits for more: what the window system says meanwhile is heard.
bool openConsole() {
    std::setvbuf(stdin, nullptr, _IONBF, 0);
    if (localeIsShiftJis()) {
        toCodePage932 = iconv_open("CP932", "UTF-8");
    }
    return toCodePage932 != NoConversion;
}

bool inputIsConsole() {
    return isatty(STDIN_FILENO) != 0;
}

int readInputByte() {
    awaitInput();
    return std::getc(stdin);
}

void endReadsWhenReadable(int descriptor) {
    WindowEnd = descriptor;
}

void writeConsoleText(std::FILE* stream, const char* utf8) {
    writeText(stream, utf8);
}

bool isPlatformHelpOption(const char*) {
    return false;
}
