// Where the chain lies in the window (internal to the drawing, and open to its tests): the places
// of its masses as the chain's drawing advances them, and what of the window it covers, for the
// numbers and the panel that are placed beside it.
#pragma once

#include "render/label_places.h"
#include "render/render.h"

constexpr double ChainRightEndX = 0.99; // window units, the right wall's end of the chain
constexpr double MassRadius = 0.04;     // window units, a mass's disc
constexpr double AnchorRadius = 0.01;   // window units, a wall's end

// The centres of the chain's masses (window units): x advanced by repeated addition of the
// spacing, from the left end, as the springs and the discs are drawn.
void massCentres(const ChainPicture& chain, Point2* centres);

// What of a window of width x height text pixels the chain covers: its discs (ellipses where the
// window is not square) and its drawn springs, in text pixels from the bottom left corner.
struct ChainFootprint {
    struct Disc {
        double x, y, rx, ry;
    };
    struct Segment {
        double ax, ay, bx, by;
    };
    Disc discs[MassCapacity + 2];
    int discCount;
    Segment springs[MassCapacity];
    int springCount;
};
void chainFootprint(const ChainPicture& chain, double width, double height, ChainFootprint* out);

// Whether a box (text pixels) touches a disc or a drawn spring of the chain.
bool chainCovers(const ChainFootprint& chain, const LabelBox& box);
