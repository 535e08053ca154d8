// The text console: the set-up dialogue, the keyboard commands of the window, and the console's
// input and output. The texts are kept in UTF-8 here and written in the console's encoding: code
// page 932 for a Shift-JIS locale (on Windows: a console or ANSI code page of 932), UTF-8
// otherwise. What differs per system is in console_platform.h.
#pragma once

// Runs the dialogue from the section that LastKey names ('m': masses, 'j': results listing, any
// other key: degrees of freedom) and sets the start values of a new run.
void runDialogue();

// Asks for the number of curves to draw until a count of 0 ... nfree is typed.
void readCurveCount();

// What a key of the window asks for once applyKeyCommand has acted on it: a redraw of the same
// instant (a new scale or curve count), one frame of motion ('s'), nothing, the end, or play.
enum class KeyOutcome { Redraw, Step, Nothing, Quit, TogglePlay };

// Stores the key in LastKey and acts on it: rescales, asks for the curve count, or re-runs the
// dialogue from the section the key names. Draws nothing itself.
KeyOutcome applyKeyCommand(unsigned char key);

// 'c', 'n', 'm' and 'j': the keys whose command waits for an answer in the console.
bool keyAsksInConsole(unsigned char key);

// The keyboard callbacks of the window: applyKeyCommand, then the redraw, the step, the play or
// pause, or the exit (status 0) that the key asks for. 's' and the keys that ask in the console
// stop play. A space bar held down plays or pauses once, however long the keyboard repeats it.
void onKeyboard(unsigned char key, int x, int y);
void onKeyboardUp(unsigned char key, int x, int y);

// --- Console input and output -------------------------------------------------------------

// Chooses the output encoding from the locale named by the environment; call once at start-up.
// Input is read in the same encoding.
void selectConsoleEncoding();

// Whether the dialogue is typed at a terminal rather than read from a pipe or a file.
bool consoleInputIsTerminal();

// Says on standard error that no window can be opened (at a terminal before any question).
void reportNoDisplay();

// Says on standard error that the command line's window geometry could not be read.
void reportUnreadableGeometry(const char* spec);

// While a read of the console waits, a descriptor (>= 0) that turns readable ends the program
// with status 0, the question left unanswered: the window system's sign that the window is gone.
void endReadsWhenReadable(int descriptor);

// Writes UTF-8 text in the console's encoding and flushes it, so a prompt is on the screen before
// its value is awaited, also when standard output is a pipe.
void consoleWrite(const char* text);
void consolePrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The outcome of reading one whitespace-separated token as a number. A token that is not wholly
// a number is consumed and reported as Unparsed. At the end of input the program ends at once
// with a message on standard error and status EndOfInputStatus: no value is ever invented.
enum class TokenRead { Parsed, Unparsed };
// Full-width digits, signs and the ideographic space read as their ASCII counterparts, and a
// byte order mark at the start of the input is skipped.
TokenRead readIntegerToken(int* value);
TokenRead readRealToken(double* value);

// Drops what is left of the current input line after a refused value, so that its other values
// are not taken for the next questions.
void discardRestOfLine();

// Writes the question and reads its answer: one raw key press, without echo and without Enter,
// when standard input is a terminal; otherwise the next non-blank character of the input. An
// answer already typed on the line of the last value is taken first, and the rest of the answer's
// line is dropped. A function or arrow key comes back as one key (Escape), its escape sequence
// drained; full-width 'ｙ' comes back as 'y'.
int askForKey(const char* question);

constexpr int EndOfInputStatus = 2;

// Ends the process with EndOfInputStatus once the end-of-input message is out. It has a file of
// its own so that a harness that feeds the dialogue many inputs in one process can supply its own.
[[noreturn]] void leaveOnEndOfInput();
