// Drawing laid out in text pixels (internal to the drawing): what is placed by the size of its
// text rather than stretched with the window, from the window's bottom left corner.
#pragma once

// The window in text pixels, and the conversions between its pixels and window units.
struct TextGrid {
    double width;  // text pixels
    double height; // text pixels
    double x(double windowX) const { return (windowX + 1.0) / 2.0 * width; }
    double y(double windowY) const { return (windowY + 1.0) / 2.0 * height; }
    double windowX(double pixels) const { return pixels / width * 2.0 - 1.0; }
    double windowY(double pixels) const { return pixels / height * 2.0 - 1.0; }
};

// The window as it is now; a window of no size has width or height 0.
TextGrid textGrid();

// A part of the window, in text pixels.
struct Area {
    double left, bottom, right, top;
};

// The text pixels from one line of text in the font to the next.
double lineHeight(void* font);

// The near-black of the text drawn in text pixels.
extern const float Ink[4];

// A filled box, a polyline, separate segments (points 2k and 2k+1) and filled discs (circles in
// pixels, all of one primitive), in the colour given; lighting off while they draw. Lines take the
// width given, in pixels.
void fillBox(const TextGrid& g, double left, double bottom, double right, double top,
             const float* colour);
void drawPixelLine(const TextGrid& g, const double* xs, const double* ys, int count,
                   float lineWidth, const float* colour);
void drawPixelSegments(const TextGrid& g, const double* xs, const double* ys, int count,
                       float lineWidth, const float* colour);
void fillPixelDiscs(const TextGrid& g, const double* xs, const double* ys, int count, double radius,
                    const float* colour);

// A line of text whose baseline starts at (x, y), in the colour given.
void writeAt(const TextGrid& g, double x, double y, void* font, const float* colour,
             const char* text);
