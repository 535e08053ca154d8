// Where the chain lies in the window (internal to the drawing, and open to its tests): what the
// chain's drawing and the masses' numbers beside it both measure by.
#pragma once

constexpr double ChainRightEndX = 0.99; // window units, the right wall's end of the chain
constexpr double MassRadius = 0.04;     // window units, a mass's disc
