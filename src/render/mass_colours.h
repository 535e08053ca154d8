// The mass colours (internal to the drawing, and open to its tests): entry i for mass i+1, shared
// by its disc and its response curve, four floats red, green, blue, alpha.
#pragma once

#include "model/capacities.h"

extern const float MassColor[MassCapacity][4];
