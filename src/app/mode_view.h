// The natural modes as a figure ('v'), in the window's left half.
#pragma once

// The chain's modes as printed, each with its share of the energy of the state the motion has
// reached, and for a chain of equal masses on equal springs the closed form of its frequencies.
void drawModesView();
