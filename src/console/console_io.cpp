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

// True while the characters taken so far end inside a line, whose rest a terminal has then already
// delivered in full.
bool LineOpen = false;

// Bytes read ahead to recognise a byte order mark or a full-width character and then given back;
// they belong to the stream they came from (a harness may hand the dialogue a new one).
int Pushback[4];
int PushbackCount = 0;
std::FILE* InputSource = nullptr;

int takeByte() {
    if (PushbackCount > 0) {
        return Pushback[--PushbackCount];
    }
    return std::getc(stdin);
}

void giveBack(int c) {
    if (c != EOF) {
        Pushback[PushbackCount++] = c;
    }
}

// Files saved by common Windows editors start with the UTF-8 byte order mark.
void skipByteOrderMark() {
    const int first = takeByte();
    if (first != 0xef) {
        giveBack(first);
        return;
    }
    const int second = takeByte();
    const int third = takeByte();
    if (second != 0xbb || third != 0xbf) {
        giveBack(third);
        giveBack(second);
        giveBack(first);
    }
}

// A Japanese input method types full-width digits, signs, the ideographic space and 'ｙ'; each
// reads as its ASCII counterpart, in the console's encoding. 0 when the pair names none of them.
int fullWidthInCodePage932(int lead, int trail) {
    if (lead == 0x82 && trail >= 0x4f && trail <= 0x58) {
        return '0' + (trail - 0x4f);
    }
    if (lead == 0x82 && trail == 0x99) {
        return 'y';
    }
    if (lead == 0x81) {
        switch (trail) {
        case 0x40:
            return ' ';
        case 0x44:
            return '.';
        case 0x7b:
            return '+';
        case 0x7c:
            return '-';
        default:
            return 0;
        }
    }
    return 0;
}

int fullWidthInUtf8(int lead, int second, int third) {
    if (lead == 0xe3 && second == 0x80 && third == 0x80) {
        return ' ';
    }
    if (lead == 0xef && second == 0xbc && third >= 0x90 && third <= 0x99) {
        return '0' + (third - 0x90);
    }
    if (lead == 0xef && second == 0xbc) {
        switch (third) {
        case 0x8b:
            return '+';
        case 0x8d:
            return '-';
        case 0x8e:
            return '.';
        default:
            return 0;
        }
    }
    if (lead == 0xef && second == 0xbd && third == 0x99) {
        return 'y';
    }
    return 0;
}

bool consoleIsCodePage932() {
    return toCodePage932 != reinterpret_cast<iconv_t>(-1);
}

// The next character of the input, full-width forms read as ASCII; EOF at the end.
int takeCharacter() {
    if (InputSource != stdin) {
        InputSource = stdin;
        PushbackCount = 0;
        LineOpen = false;
        skipByteOrderMark();
    }
    const int lead = takeByte();
    if (consoleIsCodePage932() && lead >= 0x81 && lead <= 0x82) {
        const int trail = takeByte();
        if (const int ascii = fullWidthInCodePage932(lead, trail)) {
            return ascii;
        }
        giveBack(trail);
    } else if (!consoleIsCodePage932() && (lead == 0xe3 || lead == 0xef)) {
        const int second = takeByte();
        const int third = takeByte();
        if (const int ascii = fullWidthInUtf8(lead, second, third)) {
            return ascii;
        }
        giveBack(third);
        giveBack(second);
    }
    return lead;
}

// The next whitespace-separated token; a token that runs past MaxTokenLength comes back empty.
std::string readToken() {
    int c = takeCharacter();
    while (c != EOF && isBlank(c)) {
        c = takeCharacter();
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
        c = takeCharacter();
    }
    LineOpen = c != '\n' && c != EOF;
    return tooLong ? std::string() : token;
}

// The first non-blank character left on the open line, the rest of which is dropped; 0 when the
// line holds nothing more.
int answerLeftOnLine() {
    int answer = 0;
    while (LineOpen) {
        const int c = takeCharacter();
        if (c == '\n' || c == EOF) {
            LineOpen = false;
        } else if (answer == 0 && !isBlank(c)) {
            answer = c;
        }
    }
    return answer;
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

// One multi-byte character typed as the key, its trail bytes drained: full-width 'ｙ' answers as
// 'y' does, any other character is a key other than 'y'.
int readCharacterKey(int lead) {
    int trail[3] = {-1, -1, -1};
    int count = 0;
    if (consoleIsCodePage932()) {
        count = ((lead >= 0x81 && lead <= 0x9f) || (lead >= 0xe0 && lead <= 0xfc)) ? 1 : 0;
    } else if (lead >= 0xc0) {
        count = lead >= 0xf0 ? 3 : (lead >= 0xe0 ? 2 : 1);
    }
    for (int i = 0; i < count; ++i) {
        trail[i] = readFollowingByte();
    }
    const int ascii = consoleIsCodePage932() ? fullWidthInCodePage932(lead, trail[0])
                                             : fullWidthInUtf8(lead, trail[0], trail[1]);
    return ascii == 'y' ? 'y' : lead;
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
        key = readCharacterKey(key);
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

bool consoleInputIsTerminal() {
    return isatty(STDIN_FILENO) != 0;
}

void reportNoDisplay() {
    writeText(stderr, "ウィンドウを開く画面（ディスプレイ）に接続できないため終了します\n");
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

// An answer already typed on the line of the last value ("2 n") is taken as typed, on a terminal as
// on a pipe; on a pipe the answer is otherwise the next non-blank character. Either way the rest
// of the answer's line is dropped, so "yes" is one answer.
int askForKey(const char* question) {
    if (consoleInputIsTerminal()) {
        const int typedAhead = answerLeftOnLine();
        if (typedAhead != 0) {
            writeText(stdout, question);
            return typedAhead;
        }
        return readRawKey(question);
    }
    writeText(stdout, question);
    int c = takeCharacter();
    while (c != EOF && isBlank(c)) {
        c = takeCharacter();
    }
    if (c == EOF) {
        endOfInput();
    }
    LineOpen = true;
    answerLeftOnLine();
    return c;
}

void discardRestOfLine() {
    answerLeftOnLine();
}
