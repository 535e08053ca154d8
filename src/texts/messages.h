// What the program says outside the dialogue, in the chosen language and the console's encoding:
// the command line's answers and faults, the window's troubles, the energy report and the files
// saved for a report, and the ends of the input.
#pragma once

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

// Says on standard error that no window can be opened, on the display named (or the default one
// when display is null).
void reportNoDisplay(const char* display);

// Says on standard error that the connection to the display was lost, and the program ends.
void reportDisplayLost();

// Says on standard error that the command line's window geometry could not be read.
void reportUnreadableGeometry(const char* typed);

// The energy report, printed as the energy panel comes on: the run's starting energy E0 (J), then
// each mode's frequency (rad/s) and share of the energy (a fraction, printed in per cent).
void printEnergyReport(double startEnergy, int modes, const double* omega, const double* shares);

// Names the two files saved for the report (the first as a full path, where they are files of a
// folder); or, on standard error, the folder that could not be written and why (error, an errno
// value: in words of its own where the folder may not be written, is missing or its disk is full,
// in the system's otherwise), or that every name of the second is taken.
void printSaved(const char* picture, const char* history);
void printSavedWithSpectrum(const char* picture, const char* history, const char* spectrum);
void printNotSaved(const char* folder, int error);
void printNamesTaken(const char* first, const char* last);

// On standard error: the input ended while the first dialogue needed a value (the program ends);
// it ended during a window key's question (the question is left); or there is no console to ask
// the key's question in.
void reportEndOfInput();
void reportQuestionLeft();
void reportNoConsoleToAsk(unsigned char key);
