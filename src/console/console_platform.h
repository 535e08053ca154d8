// How the console's text goes out, what differs per system: the encoding that the system names,
// and the text put on the screen. console_posix.cpp, console_windows.cpp and console_web.cpp each
// implement this header; reading is console_input.h's.
#pragma once

#include <cstdio>

// Prepares standard output and standard error and says the encoding of the console's text: true
// for code page 932 (Shift-JIS), false for UTF-8. Called once, before anything is written.
bool openConsole();

// Writes UTF-8 text to `stream` (standard output or standard error, or the terminal the prompts
// also go to) in the console's encoding, and flushes it.
void writeConsoleText(std::FILE* stream, const char* utf8);

// "/?" on Windows, where programs take it for --help; nothing elsewhere.
bool isPlatformHelpOption(const char* argument);
