// The energy of the state the motion has reached, as the student sees it: the energy panel's
// numbers in the window, and the energy report in the console.
#pragma once

#include "render/render.h"

// The total energy, its parts, its drift since the run's start and each mode's share, of the
// state the motion has reached.
EnergyPanel energyPanelNow();

// Prints the run's starting energy and each mode's frequency and share of the energy.
void reportEnergy();

// Each mode's share of the energy of the state the motion has reached (fractions, mode 1 first).
const double* modeSharesNow();
