// What the console does differently on POSIX systems and on Windows (internal to the console):
// choosing the encoding and putting text on the screen, telling a terminal from a pipe, reading
// bytes and the raw key press with the console given back as it was on every exit. Everything else
// of the console is shared; console_posix.cpp and console_windows.cpp each implement this header
// and endReadsWhenReadable of console.h.
#pragma once

#include <cstdio>
#include <string>

// Prepares the standard streams and chooses the encoding of the console's text: true for code
// page 932 (Shift-JIS), false for UTF-8. Called once, before anything is read or written.
bool openConsole();

// Whether standard input is an interactive console rather than a pipe or a file.
bool inputIsConsole();

// The next byte of standard input, or EOF at its end.
int readInputByte();

// Writes UTF-8 text to `stream` (standard output or standard error) in the console's encoding, and
// flushes it.
void writeConsoleText(std::FILE* stream, const char* utf8);

// Writes the question and waits for one key press, without echo and without Enter. The bytes of
// the key come back: one character (a multi-byte one whole, in the console's encoding), "\x1b" for
// a function or arrow key (its sequence drained), or nothing when the input has ended (the
// end-of-file key, or a closed console).
std::string readRawKey(const char* question);
