// The text console: the set-up dialogue and the console's messages. The texts are kept in UTF-8
// here, one table per language (texts.h), and written in the console's encoding: code page 932
// for a Shift-JIS locale (on Windows: a console or ANSI code page of 932), UTF-8 otherwise. What
// differs per system is behind console_platform.h.
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

// The language of every text the console writes, Japanese unless English is chosen.
enum class Language { Japanese, English };
void useLanguage(Language language);

// The window's title in that language.
const char* windowTitle();

// Whether the dialogue is typed at a terminal rather than read from a pipe or a file.
bool consoleInputIsTerminal();

// --- The questions of the window's keys ------------------------------------------------------

// Prepares the console for the question of a window's key ('c', 'n', 'm', 'j'): standard input
// when it is a terminal; otherwise the controlling terminal, as terminal programs do when their
// input is a file; where there is none, whatever standard input still holds. False, with one
// line on standard error, when there is nowhere left to ask.
bool openKeyQuestion(unsigned char key);

// What the console throws out of a key's question when its input ends before the answer: the
// question is left, said on standard error, and the program goes on. (The first dialogue ends
// the program instead.)
struct QuestionLeft {};

// The question is over, answered or left.
void closeKeyQuestion();

// --- Messages ----------------------------------------------------------------------------------

// The energy report, printed as the energy panel comes on: the run's starting energy E0 (J), then
// each mode's frequency (rad/s) and share of the energy (a fraction, printed in per cent).
void printEnergyReport(double startEnergy, int modes, const double* omega, const double* shares);

// Names the two files saved for the report (the first as a full path, where they are files of a
// folder); or, on standard error, the file that could not be written and why, or that every name
// of the second is taken.
void printSaved(const char* picture, const char* history);
void printNotSaved(const char* file, const char* reason);
void printNamesTaken(const char* first, const char* last);

// Says on standard error that no window can be opened, on the display named (or the default one
// when display is null).
void reportNoDisplay(const char* display);

// Says on standard error that the command line's window geometry could not be read.
void reportUnreadableGeometry(const char* typed);

// --help and --version, on standard output.
void printUsage();
void printVersion();

// What is wrong with the command line, said on standard error in one line.
enum class CommandLineFault {
    UnknownOption,
    UnexpectedArgument,
    OptionNeedsValue,
    UnknownLanguage
};
void reportCommandLineFault(CommandLineFault fault, const char* argument);
void reportUnknownLanguageInEnvironment(const char* value);

// "/?" on Windows, where programs take it for --help; nothing elsewhere. The platform's.
bool isPlatformHelpOption(const char* argument);

// While a read of the console waits, a descriptor (>= 0) that turns readable ends the program
// with status 0, the question left unanswered: the window system's sign that the window is gone.
// The platform's (console_posix.cpp, console_windows.cpp).
void endReadsWhenReadable(int descriptor);

constexpr int EndOfInputStatus = 2;

// Ends the process with EndOfInputStatus once the end-of-input message is out. It has a file of
// its own so that a harness that feeds the dialogue many inputs in one process can supply its own.
[[noreturn]] void leaveOnEndOfInput();
