// Where the question of a window's key ('c', 'n', 'm', 'j') is answered. The first dialogue reads
// standard input to its end; a key pressed in the window later asks a student who is at the
// window, and so at the terminal the program was started from, whatever standard input was.
#pragma once

// Prepares the console for the key's question: standard input when it is a terminal; otherwise
// the controlling terminal, as terminal programs do when their input is a file; where there is
// none, whatever standard input still holds. False, with one line on standard error, when there
// is nowhere left to ask.
bool openKeyQuestion(unsigned char key);

// The question is over, answered or left: standard input is read again.
void closeKeyQuestion();
