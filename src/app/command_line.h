// The command line, read before anything else: the program's own options (--help, --version,
// --lang), GLUT's, and what is neither.
#pragma once

#include "texts/texts.h"

// What the command line asks for: the simulator itself, --help, --version, or nothing it can do.
enum class Request { Simulate, Help, Version, Misuse };

struct CommandLine {
    Request request;
    Language language;
    const char* display; // -display's value, or null
};

// Reads the arguments and takes the program's own out of them, so that GLUT sees only its own.
// The language is the last --lang's, else SPRING_CHAIN_LANG's, else Japanese; a value names it by
// its first two letters, case ignored (en, EN, english, en_GB.UTF-8). What is wrong with the
// command line (an option nobody knows, an argument, a missing value) is said on standard error
// in that language, and the request is Misuse.
CommandLine readCommandLine(int* argc, char** argv);

// The exit status of a command line that was not understood, as usual for a misused command.
constexpr int MisuseStatus = 2;
