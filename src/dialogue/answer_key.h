// The answer to the yes/no question: one key, typed ahead on the line of the last value, pressed
// raw at a terminal, or the next character of a pipe.
#pragma once

// Writes the question and reads its answer: one raw key press, without echo and without Enter,
// when the input is a terminal; otherwise the next non-blank character of the input. An answer
// already typed on the line of the last value is taken first, and the rest of the answer's line
// is dropped. A function or arrow key comes back as one key (Escape), its escape sequence
// drained; full-width 'ｙ' comes back as 'y'. Throws InputEnded (token_reader.h) when the input
// ends first.
int askForKey(const char* question);
