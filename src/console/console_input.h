// Reading the console, what differs per system: standard input, or the controlling terminal for
// the questions of the window's keys; the raw key press; and the wait for input that the window's
// end cuts short. input_posix.cpp, input_windows.cpp and input_web.cpp each implement this header.
#pragma once

#include <cstdio>
#include <string>

// Prepares standard input for reading byte by byte. Called once, before anything is read.
void openInput();

// Whether the input read now is an interactive console rather than a pipe or a file.
bool inputIsConsole();

// The next byte of the input read now, or EOF at its end.
int readInputByte();

// --- The raw key press --------------------------------------------------------------------------

// Readies the console for one key press, without echo and without Enter. Called before the
// question is written, so that a key pressed the moment it appears is neither echoed nor held
// back for an Enter.
void prepareRawKey();

// Waits for that key press and gives the console back as it was. The bytes of the key come back:
// one character (a multi-byte one whole, in the console's encoding), "\x1b" for a function or
// arrow key (its sequence drained), or nothing when the input has ended (the end-of-file key, or a
// closed console).
std::string readRawKey();

// --- Where a window key's question is answered ------------------------------------------------

// Whether standard input is an interactive console.
bool standardInputIsConsole();

// Reads the controlling terminal (the console the program was started from) instead of standard
// input from now on; false where there is none.
bool readControllingTerminal();

// Whether a read of standard input would wait now: a pipe whose writer is still there and has
// written nothing yet. (A pipe or a file at its end does not wait: it gives its end at once.)
bool standardInputWouldWait();

// Reads standard input again.
void readStandardInput();

// While the controlling terminal is read and standard output goes elsewhere, the terminal, where
// the student sees what is asked; otherwise null.
std::FILE* promptsAlsoTo();

// While a read of the console waits, a descriptor (>= 0) that turns readable ends the program
// with status 0, the question left unanswered: the window system's sign that the window is gone.
void endReadsWhenReadable(int descriptor);
