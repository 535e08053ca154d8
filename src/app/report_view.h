// What a student takes away from a run: the energy panel's numbers for the present state, the
// console's energy report, and the picture and the run's record saved for the report.
#pragma once

#include "render/render.h"

// The total energy, its parts, its drift since the run's start and each mode's share, of the
// state the motion has reached.
EnergyPanel energyPanelNow();

// Prints the run's starting energy and each mode's frequency and share of the energy.
void reportEnergy();

// 'p': the instant the motion has reached, drawn again and read back, saved as PNG with the run's
// record as CSV; the console names the two files, or the one that could not be written and why.
void saveForReport();
