#include <cctype>
#include <cerrno>
#include <climits>
#include <clocale>
#include <csignal>
#include <cstdarg>
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

namespace {

// ---------------------------------------------------------------------------------------------
// Output encoding

iconv_t toCodePage932 = reinterpret_cast<iconv_t>(-1);

// "SHIFT_JIS", "Shift-JIS", "sjis", "CP932", "WINDOWS-31J", "MS932", ... compared without case,
// hyphens or underscores. They all get code page 932, the only one of them that holds every
// character of the texts (U+FF0D has a code only there).
bool namesShiftJis(const char* codeset) {
    std::string name;
    for (const char* c = codeset; c != nullptr && *c != '\0'; ++c) {
        if (*c != '-' && *c != '_') {
            name.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(*c))));
        }
    }
    static const char* const known[] = {"SHIFTJIS", "SJIS",   "CP932",   "WINDOWS31J",
                                        "MS932",    "IBM943", "MSKANJI", "SHIFTJISX0213",
                                        "SJISOPEN", "SJISWIN"};
    for (const char* k : known) {
        if (name == k) {
            return true;
        }
    }
    return false;
}

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
    if (toCodePage932 == reinterpret_cast<iconv_t>(-1)) {
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
// Formatted input

// Longer tokens are no number a student types; they are read to their end and refused.
constexpr std::size_t MaxTokenLength = 512;

[[noreturn]] void endOfInput() {
    writeText(stderr, "\n入力が終わったため終了します\n");
    leaveOnEndOfInput();
}

bool isBlank(int c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// The next whitespace-separated token; a token that runs past MaxTokenLength comes back empty.
std::string readToken() {
    int c = std::getc(stdin);
    while (c != EOF && isBlank(c)) {
        c = std::getc(stdin);
    }
    if (c == EOF) {
        endOfInput();
    }
    std::string token;
    bool tooLong = false;
    while (c != EOF && !isBlank(c)) {
        if (token.size() < MaxTokenLength) {
            token.push_back(static_cast<char>(c));
        } else {
            tooLong = true;
        }
        c = std::getc(stdin);
    }
    return tooLong ? std::string() : token;
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

// -1 when the terminal has closed.
int readKeyByte() {
    for (;;) {
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

// The trail bytes of one multi-byte character typed as the key.
void drainCharacter(int lead) {
    int trail = 0;
    if (toCodePage932 != reinterpret_cast<iconv_t>(-1)) {
        trail = ((lead >= 0x81 && lead <= 0x9f) || (lead >= 0xe0 && lead <= 0xfc)) ? 1 : 0;
    } else if (lead >= 0xc0) {
        trail = lead >= 0xf0 ? 3 : (lead >= 0xe0 ? 2 : 1);
    }
    for (; trail > 0; --trail) {
        readFollowingByte();
    }
}

// The terminal goes raw before the question is written, so a key pressed the moment the question
// appears is neither echoed nor held back for an Enter.
int readRawKey(const char* question) {
    tcgetattr(STDIN_FILENO, &savedTerminal);
    rawTerminal = savedTerminal;
    rawTerminal.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
    rawTerminal.c_cc[VMIN] = 1;
    rawTerminal.c_cc[VTIME] = 0;
    guardTerminal();
    tcsetattr(STDIN_FILENO, TCSANOW, &rawTerminal);
    writeText(stdout, question);

    // The terminal's end-of-file key (Ctrl-D) ends the input here as it does at any other prompt.
    int key = readKeyByte();
    if (savedTerminal.c_cc[VEOF] != _POSIX_VDISABLE && key == savedTerminal.c_cc[VEOF]) {
        key = -1;
    } else if (key == 0x1b) {
        drainEscapeSequence();
    } else if (key >= 0x80) {
        drainCharacter(key);
    }

    tcsetattr(STDIN_FILENO, TCSANOW, &savedTerminal);
    unguardTerminal();
    if (key < 0) {
        endOfInput();
    }
    return key;
}

} // namespace

void selectConsoleEncoding() {
    if (localeIsShiftJis()) {
        toCodePage932 = iconv_open("CP932", "UTF-8");
    }
}

void consoleWrite(const char* text) {
    writeText(stdout, text);
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

TokenRead readIntegerToken(int* value) {
    const std::string token = readToken();
    if (token.empty()) {
        return TokenRead::Unparsed;
    }
    char* end = nullptr;
    errno = 0;
    const long long parsed = std::strtoll(token.c_str(), &end, 10);
    if (end != token.c_str() + token.size() || !std::isdigit(static_cast<unsigned char>(end[-1]))) {
        return TokenRead::Unparsed;
    }
    // An integer beyond int's range is still an integer: it comes back clamped, so it is refused
    // as out of range rather than as unreadable.
    *value = parsed > INT_MAX ? INT_MAX : (parsed < INT_MIN ? INT_MIN : static_cast<int>(parsed));
    return TokenRead::Parsed;
}

TokenRead readRealToken(double* value) {
    const std::string token = readToken();
    if (token.empty()) {
        return TokenRead::Unparsed;
    }
    char* end = nullptr;
    const double parsed = std::strtod(token.c_str(), &end);
    if (end != token.c_str() + token.size()) {
        return TokenRead::Unparsed;
    }
    *value = parsed;
    return TokenRead::Parsed;
}

int askForKey(const char* question) {
    if (isatty(STDIN_FILENO)) {
        return readRawKey(question);
    }
    writeText(stdout, question);
    int c = std::getc(stdin);
    while (c != EOF && isBlank(c)) {
        c = std::getc(stdin);
    }
    if (c == EOF) {
        endOfInput();
    }
    return c;
}
