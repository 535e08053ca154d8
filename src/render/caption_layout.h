// The size of text a window takes (internal to the drawing): the captions and the energy panel
// read in the same size.
#pragma once

// GLUT's Helvetica 18 where the window's smaller side is 600 text pixels or more, 12 from 360,
// the small font below.
void* fontForWindow(double width, double height);

// How far down from the window's top the captions reach (text pixels), for what is placed under
// them.
double captionsBottom(double width, double height);
