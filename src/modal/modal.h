// Modal analysis of the chain held in the shared model: natural circular frequencies and mode
// shapes of the undamped chain, from the pencil K - lambda M (lambda = omega^2, 1/s^2).
//
// Nothing here prints or draws; every routine works on the shared model.
#pragma once

// Fills omega0[0 ... nfree-1] with the natural circular frequencies (rad/s), ascending.
void SearchNaturalFrequencies();

// Fills ModeShape and ModeMaxAmplitude for every mode of omega0; row k is scaled so that the
// amplitude of mass 1 is exactly 1 (of the first mass that moves, where mass 1 rests in that mode).
void ComputeModeShapes();
