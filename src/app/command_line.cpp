#include "app/command_line.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

#include "console/console_platform.h"
#include "texts/messages.h"

namespace {

// GLUT's options: those that take the next argument as their value, and those that stand alone.
const char* const GlutOptionsWithValue[] = {"-display", "-geometry"};
const char* const GlutFlags[] = {"-iconic", "-direct", "-indirect", "-gldebug", "-sync"};

constexpr const char* LanguageOption = "--lang";
// "--" ends the options, as in most programs; "-" names standard input, where the dialogue is
// read from anyway.
constexpr const char* EndOfOptions = "--";
constexpr const char* StandardInput = "-";
constexpr const char* LanguageVariable = "SPRING_CHAIN_LANG";

template <std::size_t N> bool oneOf(const char* argument, const char* const (&names)[N]) {
    for (const char* name : names) {
        if (std::strcmp(argument, name) == 0) {
            return true;
        }
    }
    return false;
}

// A value that starts with en or ja, case ignored: en, EN, english, en_US, en_GB.UTF-8.
bool languageNamed(const char* name, Language* language) {
    // The first letter's test fails on an empty value, before its end is passed.
    const auto startsWith = [name](const char* prefix) {
        return std::tolower(static_cast<unsigned char>(name[0])) == prefix[0] &&
               std::tolower(static_cast<unsigned char>(name[1])) == prefix[1];
    };
    if (startsWith("ja")) {
        *language = Language::Japanese;
        return true;
    }
    if (startsWith("en")) {
        *language = Language::English;
        return true;
    }
    return false;
}

// --lang=xx or --lang xx; null when the argument is no --lang at all. *used says how many
// arguments it took.
const char* languageValue(int i, int argc, char** argv, int* used) {
    const std::size_t length = std::strlen(LanguageOption);
    if (std::strncmp(argv[i], LanguageOption, length) != 0) {
        return nullptr;
    }
    if (argv[i][length] == '=') {
        *used = 1;
        return argv[i] + length + 1;
    }
    if (argv[i][length] != '\0') {
        return nullptr;
    }
    *used = 2;
    return i + 1 < argc ? argv[i + 1] : "";
}

// The last --lang value, as in most programs; null when there is none.
const char* lastLanguageOption(int argc, char** argv) {
    const char* chosen = nullptr;
    for (int i = 1; i < argc && std::strcmp(argv[i], EndOfOptions) != 0; ++i) {
        int used = 1;
        if (const char* value = languageValue(i, argc, argv, &used)) {
            chosen = value;
            i += used - 1;
        }
    }
    return chosen;
}

// The language is settled first, so that every message is in it: the last --lang's, else
// SPRING_CHAIN_LANG's. A --lang value that names no language is left in *unknown ("" when it is
// missing), to be told in SPRING_CHAIN_LANG's language, which a student who set it reads.
Language chooseLanguage(int argc, char** argv, const char** unknown) {
    Language language = Language::Japanese;
    const char* fromEnvironment = std::getenv(LanguageVariable);
    const bool environmentSet = fromEnvironment != nullptr && *fromEnvironment != '\0';
    const bool environmentNamed = environmentSet && languageNamed(fromEnvironment, &language);
    const char* chosen = lastLanguageOption(argc, argv);
    if (chosen == nullptr) {
        if (environmentSet && !environmentNamed) {
            reportUnknownLanguageInEnvironment(fromEnvironment);
        }
    } else if (!languageNamed(chosen, &language)) {
        *unknown = chosen;
    }
    return language;
}

// One argument (with its value, when it takes one): what it asks for, how many arguments it
// took, and whether GLUT is to see them.
struct Argument {
    Request request;
    int used;
    bool forGlut;
};

Argument readArgument(int i, int argc, char** argv, CommandLine* line) {
    const char* argument = argv[i];
    int used = 1;
    if (std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "-h") == 0 ||
        isPlatformHelpOption(argument)) {
        return {Request::Help, 1, false};
    }
    if (std::strcmp(argument, "--version") == 0) {
        return {Request::Version, 1, false};
    }
    if (languageValue(i, argc, argv, &used) != nullptr) {
        return {Request::Simulate, used, false};
    }
    if (std::strcmp(argument, StandardInput) == 0) {
        return {Request::Simulate, 1, false};
    }
    if (std::strcmp(argument, EndOfOptions) == 0) {
        if (i + 1 < argc) {
            reportCommandLineFault(CommandLineFault::UnexpectedArgument, argv[i + 1]);
            return {Request::Misuse, 1, false};
        }
        return {Request::Simulate, 1, false};
    }
    if (oneOf(argument, GlutFlags)) {
        return {Request::Simulate, 1, true};
    }
    if (oneOf(argument, GlutOptionsWithValue)) {
        if (i + 1 >= argc) {
            reportCommandLineFault(CommandLineFault::OptionNeedsValue, argument);
            return {Request::Misuse, 1, false};
        }
        if (std::strcmp(argument, "-display") == 0) {
            line->display = argv[i + 1];
        }
        return {Request::Simulate, 2, true};
    }
    const bool option = argument[0] == '-' && argument[1] != '\0';
    reportCommandLineFault(
        option ? CommandLineFault::UnknownOption : CommandLineFault::UnexpectedArgument, argument);
    return {Request::Misuse, 1, false};
}

} // namespace

// The first fault ends the reading; --help goes before --version, which goes before a run.
CommandLine readCommandLine(int* argc, char** argv) {
    CommandLine line = {Request::Simulate, Language::Japanese, nullptr};
    const char* unknownLanguage = nullptr;
    line.language = chooseLanguage(*argc, argv, &unknownLanguage);
    useLanguage(line.language);
    if (unknownLanguage != nullptr) {
        const bool missing = *unknownLanguage == '\0';
        reportCommandLineFault(missing ? CommandLineFault::OptionNeedsValue
                                       : CommandLineFault::UnknownLanguage,
                               missing ? LanguageOption : unknownLanguage);
        line.request = Request::Misuse;
        return line;
    }
    int kept = 1;
    bool help = false;
    bool version = false;
    for (int i = 1; i < *argc;) {
        const Argument argument = readArgument(i, *argc, argv, &line);
        if (argument.request == Request::Misuse) {
            line.request = Request::Misuse;
            return line;
        }
        help = help || argument.request == Request::Help;
        version = version || argument.request == Request::Version;
        for (int k = 0; k < argument.used && argument.forGlut; ++k) {
            argv[kept++] = argv[i + k];
        }
        i += argument.used;
    }
    *argc = kept;
    argv[kept] = nullptr;
    line.request = help ? Request::Help : (version ? Request::Version : Request::Simulate);
    return line;
}
