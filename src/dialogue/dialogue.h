// The set-up dialogue in the console: the only way data enters the program. It works on the
// entries of the shared state (the chain, its modes, how the run starts). When the input ends
// before the dialogue does, it throws InputEnded (token_reader.h), and its caller decides.
#pragma once

// Runs the dialogue from the section that LastKey names ('m': masses, 'j': results listing, any
// other key: degrees of freedom): the model, its natural frequencies and modes, the curve count
// and the initial conditions, ending with the key help.
void runDialogue();

// Asks for the number of curves to draw until a count of 0 ... nfree is typed.
void readCurveCount();
