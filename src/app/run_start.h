// The start values of a run, set each time the dialogue has ended: the picture's positions and
// scales, the state from the initial conditions, the first sample of the history and of the
// run's record, and the energy the run starts with.
#pragma once

void startRun();
