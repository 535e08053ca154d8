// The console's text on POSIX systems: the locale names the encoding, and iconv converts the text
// to code page 932 where it is Shift-JIS. Reading is input_posix.cpp's.
#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <iconv.h>
#include <langinfo.h>

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

} // namespace

bool openConsole() {
    if (localeIsShiftJis()) {
        toCodePage932 = iconv_open("CP932", "UTF-8");
    }
    return toCodePage932 != NoConversion;
}

void writeConsoleText(std::FILE* stream, const char* utf8) {
    writeText(stream, utf8);
}

bool isPlatformHelpOption(const char*) {
    return false;
}
