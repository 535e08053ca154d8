// The start values of a run, set each time the dialogue has ended: the picture's positions and
// scales, the state from the initial conditions, and the first sample of the history.
#pragma once

void startRun();
