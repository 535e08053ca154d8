// Where the labels of a frame go (internal to the drawing, and open to its tests). Each label
// takes the first of its candidate places that lies inside the window and keeps 2 pixels from
// every label placed before it in the frame, or none: where the masses crowd, no label ever hides
// another or runs into it.
#pragma once

// A label's box in text pixels (window_system.h), from the window's bottom left corner.
struct LabelBox {
    double left;
    double bottom;
    double right;
    double top;
};

// The frame's labels start afresh.
void clearLabels();

// Takes the first of the candidates that fits, within a window of the size given; its index, or
// -1 when none fits.
int placeLabel(const LabelBox* candidates, int count, double width, double height);
