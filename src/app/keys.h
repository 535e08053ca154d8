// The keys of the window as commands on the shared model (what the keyboard callback then draws,
// steps or plays is the window loop's).
#pragma once

constexpr unsigned char EscapeKey = 27;
constexpr unsigned char SpaceKey = ' ';

// What a key asks for once applyKeyCommand has acted on it: a redraw of the same instant (a new
// scale or curve count, the energy panel, the modes' figure or the spectrum in the chart's
// place), one frame of motion ('s'), nothing, the end, play, or the files for the report ('p').
enum class KeyOutcome { Redraw, Step, Nothing, Quit, TogglePlay, Save };

// Stores the key in LastKey and acts on it: rescales (within bounds), asks for the curve count,
// switches the energy panel (reporting the energy in the console as it comes on), shows the modes
// as a figure ('v') or the spectrum of the motion ('w') in the chart's place, or re-runs the
// dialogue from the section the key names and starts the new run. A question that nobody can
// answer, or whose input ends, leaves everything as it was.
KeyOutcome applyKeyCommand(unsigned char key);

// 'c', 'n', 'm' and 'j': the keys whose command waits for an answer in the console.
bool keyAsksInConsole(unsigned char key);
