#include "console/text_encoding.h"

#include <cctype>
#include <string>

namespace {

bool CodePage932 = false;

} // namespace

void useCodePage932(bool codePage932) {
    CodePage932 = codePage932;
}

bool consoleIsCodePage932() {
    return CodePage932;
}

// They all get code page 932, the only one of them that holds every character of the texts
// (U+FF0D has a code only there).
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

int trailingBytes(int lead) {
    if (CodePage932) {
        return (lead >= 0x81 && lead <= 0x9f) || (lead >= 0xe0 && lead <= 0xfc) ? 1 : 0;
    }
    if (lead < 0xc0) {
        return 0;
    }
    return lead >= 0xf0 ? 3 : (lead >= 0xe0 ? 2 : 1);
}

bool isContinuationByte(int c) {
    return c >= 0x80 && c <= 0xbf;
}

// A Japanese input method types full-width digits, signs, the ideographic space and 'ｙ'.
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
