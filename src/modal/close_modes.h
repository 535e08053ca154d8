// The mode shapes of natural frequencies that lie too close together for a double (internal to the
// modal analysis).
#pragma once

#include "app/simulation_state.h"
#include "modal/wide_arithmetic.h"

// Modes k0 ... k0+c-1 of the block of masses first ... first+count-1, whose squared frequencies
// (about `guesses`, 1/s^2) lie within a relative 1e-8 of each other. Row j of `rows` receives mode
// k0+j over the whole chain (0 outside the block), relative to its largest amplitude. The rows are
// right to about 1e-34 over the relative gap between neighbouring frequencies, and mass-orthogonal
// to each other even where no arithmetic can tell the frequencies apart.
void CloseModes(int first, int count, int k0, int c, const Extended* guesses,
                double rows[][SimulationState::MassCapacity]);
