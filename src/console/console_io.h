// The console's reading and writing as the dialogue uses it (internal to the console). Text is
// UTF-8 here and goes out in the console's encoding.
#pragma once

// Writes the text and flushes it, so a prompt is on the screen before its value is awaited, also
// when standard output is a pipe; and on the terminal that a key's question is answered at, when
// standard output goes elsewhere.
void consoleWrite(const char* text);
void consolePrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));
// The same on standard error.
void consoleErrorPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Ends the program with the end-of-input message on standard error and status EndOfInputStatus;
// while a window key's question is asked, leaves the question instead (throws QuestionLeft).
[[noreturn]] void endOfInput();

// Whether a window key's question is being asked (key_question.cpp).
bool askingForAKey();

// Forgets what was read ahead of the input read until now (another source is read from now on).
void startReadingAfresh();

// The outcome of reading one whitespace-separated token as a number. A token that is not wholly
// a number is consumed and reported as Unparsed. At the end of input the program ends at once:
// no value is ever invented.
enum class TokenRead { Parsed, Unparsed };
TokenRead readIntegerToken(int* value);
TokenRead readRealToken(double* value);

// Drops what is left of the current input line after a refused value, so that its other values
// are not taken for the next questions.
void discardRestOfLine();

// The next character of the input, full-width forms read as ASCII; EOF at the end. A byte order
// mark at the start of the input is skipped.
int takeCharacter();
// The next character that is not a blank; the end of the input ends the program.
int takeNonBlank();
bool isBlank(int c);
// The first non-blank character left on the line of the last value, the rest of which is dropped;
// 0 when the line holds nothing more. openLine marks the line of the character just taken as not
// yet read to its end.
int answerLeftOnLine();
void openLine();

// Writes the question and reads its answer: one raw key press, without echo and without Enter,
// when standard input is a terminal; otherwise the next non-blank character of the input. An
// answer already typed on the line of the last value is taken first, and the rest of the answer's
// line is dropped. A function or arrow key comes back as one key (Escape), its escape sequence
// drained; full-width 'ｙ' comes back as 'y'.
int askForKey(const char* question);
