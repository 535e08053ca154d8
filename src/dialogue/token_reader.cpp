#include "dialogue/token_reader.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "console/console_input.h"
#include "console/text_encoding.h"

namespace {

// Longer tokens are no number a student types; they are read to their end and refused.
constexpr std::size_t MaxTokenLength = 512;

// True while the characters taken so far end inside a line, whose rest a terminal has then already
// delivered in full.
bool LineOpen = false;

// Bytes read ahead to recognise a byte order mark or a full-width character and then given back;
// they belong to the source they came from.
int Pushback[4];
int PushbackCount = 0;

// A source has begun whose first bytes have not been looked at for a byte order mark.
bool SourceBegins = true;

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

bool isBlank(int c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// The next character of the input, full-width forms read as ASCII; EOF at the end.
int takeCharacter() {
    if (SourceBegins) {
        SourceBegins = false;
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

} // namespace

int takeNonBlank() {
    int c = takeCharacter();
    while (c != EOF && isBlank(c)) {
        c = takeCharacter();
    }
    if (c == EOF) {
        throw InputEnded{};
    }
    return c;
}

namespace {

// The next whitespace-separated token; a token that runs past MaxTokenLength comes back empty.
std::string readToken() {
    int c = takeNonBlank();
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

} // namespace

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

void openLine() {
    LineOpen = true;
}

void startReadingNewSource() {
    forgetReadAhead();
    SourceBegins = true;
}

void forgetReadAhead() {
    PushbackCount = 0;
    LineOpen = false;
}

void discardRestOfLine() {
    answerLeftOnLine();
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
