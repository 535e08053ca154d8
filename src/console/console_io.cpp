// The console's shared part: the dialogue's reading of values and answers and its writing of text,
// the same on every platform. What differs per platform is behind console_platform.h.
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "console/console.h"
#include "console/console_platform.h"

namespace {

bool CodePage932 = false;

bool consoleIsCodePage932() {
    return CodePage932;
}

// ---------------------------------------------------------------------------------------------
// Formatted input

// Longer tokens are no number a student types; they are read to their end and refused.
constexpr std::size_t MaxTokenLength = 512;

[[noreturn]] void endOfInput() {
    writeConsoleText(stderr, "\n入力が終わったため終了します\n");
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
    return readInputByte();
}

void giveBack(int c) {
    if (c != EOF) {
        Pushback[PushbackCount++] = c;
    }
}

bool isContinuationByte(int c) {
    return c >= 0x80 && c <= 0xbf;
}

// The two bytes that follow a UTF-8 lead byte, or fewer: a byte that cannot continue the character
// (a line end, say) is given back at once rather than waited for with the next line.
bool takeTrailingPair(int* second, int* third) {
    *second = takeByte();
    if (!isContinuationByte(*second)) {
        giveBack(*second);
        return false;
    }
    *third = takeByte();
    return true;
}

// Files saved by common Windows editors start with the UTF-8 byte order mark, in either encoding.
void skipByteOrderMark() {
    const int first = takeByte();
    int second = 0;
    int third = 0;
    if (first != 0xef) {
        giveBack(first);
    } else if (!takeTrailingPair(&second, &third)) {
        giveBack(first);
    } else if (second != 0xbb || third != 0xbf) {
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

// The byte order mark, where two files saved by Windows editors were joined, reads as a blank.
int fullWidthInUtf8(int lead, int second, int third) {
    if (lead == 0xe3 && second == 0x80 && third == 0x80) {
        return ' ';
    }
    if (lead == 0xef && second == 0xbb && third == 0xbf) {
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
        int second = 0;
        int third = 0;
        if (takeTrailingPair(&second, &third)) {
            if (const int ascii = fullWidthInUtf8(lead, second, third)) {
                return ascii;
            }
            giveBack(third);
            giveBack(second);
        }
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

// The answer a raw key press gives: full-width 'ｙ' counts as 'y', any other character as its lead
// byte, a function key as Escape; the end of input ends the program.
int keyPressed(const std::string& bytes) {
    if (bytes.empty()) {
        endOfInput();
    }
    const int lead = static_cast<unsigned char>(bytes[0]);
    const auto at = [&bytes](std::size_t i) {
        return i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : -1;
    };
    const int ascii = consoleIsCodePage932() ? fullWidthInCodePage932(lead, at(1))
                                             : fullWidthInUtf8(lead, at(1), at(2));
    return ascii == 'y' ? 'y' : lead;
}

} // namespace

void selectConsoleEncoding() {
    CodePage932 = openConsole();
}

bool consoleInputIsTerminal() {
    return inputIsConsole();
}

void reportNoDisplay() {
    writeConsoleText(stderr, "ウィンドウを開く画面（ディスプレイ）に接続できないため終了します\n");
}

void reportUnreadableGeometry(const char* spec) {
    writeConsoleText(stderr, "-geometry の指定「");
    writeConsoleText(stderr, spec);
    writeConsoleText(stderr, "」は読めないため、ウィンドウは 800×800 で開きます\n");
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
            writeConsoleText(stdout, question);
            return typedAhead;
        }
        return keyPressed(readRawKey(question));
    }
    writeConsoleText(stdout, question);
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
