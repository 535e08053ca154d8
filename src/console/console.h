// The text console, the same on every system: its encoding chosen once, and text written to it.
// Text is UTF-8 here and goes out in the console's encoding: code page 932 for a Shift-JIS locale
// (on Windows: a console or ANSI code page of 932), UTF-8 otherwise. What differs per system is
// behind console_platform.h (writing) and console_input.h (reading).
#pragma once

// Readies the standard streams and chooses the console's encoding from what the system says;
// called once at start-up, before anything is read or written. Input is read in the same encoding.
void selectConsoleEncoding();

// Whether the console's input is typed at a terminal (or the page's input line) rather than read
// from a pipe or a file.
bool consoleInputIsTerminal();

// Writes the text and flushes it, so that a prompt is on the screen before its value is awaited,
// also when standard output is a pipe; and on the terminal that a window key's question is
// answered at, when standard output goes elsewhere.
void consoleWrite(const char* text);
void consolePrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The same on standard error, where the terminal sees it anyway.
void consoleErrorPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));
