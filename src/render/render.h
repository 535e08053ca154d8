// The window and everything drawn in it, in window units: x from -1 (left edge) to +1 (right
// edge), y from -1 (bottom) to +1 (top), whatever the window's size. Colours are four floats,
// red, green, blue, alpha.
//
// Every drawing primitive switches lighting off while it draws and back on before it returns, and
// restores the modelview matrix it moved; the line width is shared state that each routine sets
// or inherits as its comment says.
#pragma once

#include "app/simulation_state.h"

// The window's size and place from the command line's -geometry (X11's [=][WxH][{+-}X{+-}Y]),
// taken out of the arguments so that GLUT never sees it: 800 x 800 unless a size is given, and no
// smaller than 200 x 200; a position when one is given, measured from the screen's right or bottom
// edge where its sign is '-'. A geometry that cannot be read is set aside (unreadable, spec).
struct WindowGeometry {
    int width;  // pixels
    int height; // pixels
    int x;      // pixels
    int y;      // pixels
    bool placed;
    bool fromRight;
    bool fromBottom;
    bool unreadable;
    const char* spec;
};
WindowGeometry takeWindowGeometry(int* argc, char** argv);

// Opens the window with that geometry (the rest of the command line goes to GLUT) and runs the
// GLUT main loop, which never returns.
[[noreturn]] void runGraphics(int* argc, char** argv, const WindowGeometry& geometry);

void onReshape(int width, int height);

// Has onPlayTick(generation) called once, after delayMs milliseconds.
void schedulePlayTick(int delayMs, int generation);

// Whether a window can be opened: the display that GLUT would use (the command line's -display,
// or the environment's) accepts a connection.
bool displayAvailable(int argc, char** argv);

// Drops the key presses that reached the window while the console was waiting for input, so
// that they are not replayed once it is done.
void discardKeysPressedMeanwhile();

// While true, the window system's repeats of a key held down are not passed on as presses.
void ignoreKeyRepeat(bool ignore);

// A descriptor that turns readable once the window has ended by any means (-1 where the window
// system gives none), and whether it has.
int windowEndDescriptor();
bool windowEnded();
void beginFrame();
void endFrame();

// The caption font: GLUT's bitmap Helvetica 18.
extern void* const CaptionFont;

// A line of bitmap text starting at (x, y); it takes the colour the raster position gets, not one
// of its own.
void drawText(float x, float y, void* font, const char* text);

// One colour per mass (entry i for mass i+1), shared by its disc and its response curve.
extern const float MassColor[SimulationState::MassCapacity][4];

// The chain from leftEnd to the right wall at x = 0.99: n+1 springs (springs[i] N/m is spring
// i+1; one of 0 N/m is left out), the two fixed ends and n mass discs, each mass raised by
// scale * y[i]. Springs inherit the line width.
void drawChain(const Point2* leftEnd, double scale, int n, const double* y, const double* springs);

// A filled disc of 100 corners.
void drawDisc(const Point2* centre, double radius, const float* colour);

// The chart: two black axes through origin, a black grid of n cells on each side of centre, and
// the response curves of samples 0 ... last of each row (rows `stride` samples apart).
void drawAxes(const Point2* origin, double angle);
void drawGrid(const Point2* centre, double angle, int n, double cellWidth, double cellHeight);
void drawCurves(const Point2* origin, double step, const double* scales, int count, int last,
                const double* samples, int stride);
