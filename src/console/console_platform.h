// How the console's text goes out, what differs per system (internal to the console): the
// encoding chosen and the text put on the screen. console_posix.cpp, console_windows.cpp and
// console_web.cpp each implement this header and isPlatformHelpOption of console.h; reading is
// console_input.h's.
#pragma once

#include <cstdio>

// Prepares the standard streams (reading them too, with openInput) and chooses the encoding of
// the console's text: true for code page 932 (Shift-JIS), false for UTF-8. Called once, before
// anything is read or written.
bool openConsole();

// Writes UTF-8 text to `stream` (standard output or standard error, or the terminal the prompts
// also go to) in the console's encoding, and flushes it.
void writeConsoleText(std::FILE* stream, const char* utf8);
