// The dialogue's values, read token by token from the console's input: full-width forms read as
// ASCII, a byte order mark at the start of a source skipped, a refused value's line dropped.
#pragma once

// What the reader throws when the input ends before a value or an answer has come: no value is
// ever invented. Whoever asked decides what the end means (the first dialogue ends the program,
// a window key's question is left).
struct InputEnded {};

// A new source of input begins (the program's standard input, or a harness's next input): what
// was read ahead of the last one is forgotten, and a byte order mark at its start is skipped.
void startReadingNewSource();

// The same source is read on elsewhere (the terminal a window key's question is answered at, and
// back): what was read ahead, and whether a line was left open, is forgotten.
void forgetReadAhead();

// The outcome of reading one whitespace-separated token as a number. A token that is not wholly
// a number is consumed and reported as Unparsed.
enum class TokenRead { Parsed, Unparsed };
TokenRead readIntegerToken(int* value);
TokenRead readRealToken(double* value);

// Drops what is left of the current input line after a refused value, so that its other values
// are not taken for the next questions.
void discardRestOfLine();

// The next character that is not a blank, full-width forms read as ASCII.
int takeNonBlank();

// The first non-blank character left on the line of the last value, the rest of which is dropped;
// 0 when the line holds nothing more. openLine marks the line of the character just taken as not
// yet read to its end.
int answerLeftOnLine();
void openLine();
