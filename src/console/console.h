// The text console: the set-up dialogue and the console's messages. The texts are kept in UTF-8
// here and written in the console's encoding: code page 932 for a Shift-JIS locale (on Windows: a
// console or ANSI code page of 932), UTF-8 otherwise. What differs per system is behind
// console_platform.h.
#pragma once

// Runs the dialogue from the section that LastKey names ('m': masses, 'j': results listing, any
// other key: degrees of freedom): the model, its natural frequencies and modes, the curve count
// and the initial conditions, ending with the key help.
void runDialogue();

// Asks for the number of curves to draw until a count of 0 ... nfree is typed.
void readCurveCount();

// Chooses the console's encoding from the locale named by the environment; call once at start-up.
// Input is read in the same encoding.
void selectConsoleEncoding();

// Whether the dialogue is typed at a terminal rather than read from a pipe or a file.
bool consoleInputIsTerminal();

// The energy report, printed as the energy panel comes on: the run's starting energy E0 (J), then
// each mode's frequency (rad/s) and share of the energy (a fraction, printed in per cent).
void printEnergyReport(double startEnergy, int modes, const double* omega, const double* shares);

// Names the two files saved for the report; or, on standard error, the file that could not be
// written and why.
void printSaved(const char* picture, const char* history);
void printNotSaved(const char* file, const char* reason);

// Says on standard error that no window can be opened (at a terminal before any question).
void reportNoDisplay();

// Says on standard error that the command line's window geometry could not be read.
void reportUnreadableGeometry(const char* typed);

// While a read of the console waits, a descriptor (>= 0) that turns readable ends the program
// with status 0, the question left unanswered: the window system's sign that the window is gone.
// The platform's (console_posix.cpp, console_windows.cpp).
void endReadsWhenReadable(int descriptor);

constexpr int EndOfInputStatus = 2;

// Ends the process with EndOfInputStatus once the end-of-input message is out. It has a file of
// its own so that a harness that feeds the dialogue many inputs in one process can supply its own.
[[noreturn]] void leaveOnEndOfInput();
