// The window and everything drawn in it, in window units: x from -1 (left edge) to +1 (right
// edge), y from -1 (bottom) to +1 (top), whatever the window's size. Colours are four floats,
// red, green, blue, alpha.
//
// Every drawing primitive switches lighting off while it draws and back on before it returns, and
// restores the modelview matrix it moved; the line width is shared state that each routine sets
// or inherits as its comment says.
#pragma once

#include <vector>

#include "model/records.h"

// The window's size and place from the command line's -geometry (X11's [=][WxH][{+-}X{+-}Y]),
// taken out of the arguments so that GLUT never sees it: 800 x 800 unless a size is given, and no
// smaller than 200 x 200; a position when one is given, measured from the screen's right or bottom
// edge where its sign is '-'. A geometry that cannot be read is set aside (unreadable, with the
// text as typed).
struct WindowGeometry {
    int width;  // pixels
    int height; // pixels
    int x;      // pixels
    int y;      // pixels
    bool placed;
    bool fromRight;
    bool fromBottom;
    bool unreadable;
    const char* typed; // the -geometry argument as typed
};
WindowGeometry takeWindowGeometry(int* argc, char** argv);

// Opens the program's window with that geometry (the rest of the command line goes to GLUT):
// GLUT initialised, the window created with the title (UTF-8) and watched for its end
// (window_system.h), its clear colour white. The callbacks and the main loop are the caller's.
void openWindow(int* argc, char** argv, const WindowGeometry& geometry, const char* title);

// The reshape callback: the viewport covers the whole window, and the picture stretches with it.
void onReshape(int width, int height);

void beginFrame();
void endFrame();

// The next frame's pixels are read back as it is finished, before it is shown (captions and all);
// takeCapturedFrame hands them over, rows from the top, three bytes (red, green, blue) a pixel.
void captureNextFrame();
void takeCapturedFrame(int* width, int* height, std::vector<unsigned char>* rgb);

// The caption font: GLUT's bitmap Helvetica 18.
extern void* const CaptionFont;

// A line of bitmap text starting at (x, y); it takes the colour the raster position gets, not one
// of its own.
void drawText(float x, float y, void* font, const char* text);

// The chain from leftEnd to the right wall at x = 0.99: n+1 springs (springs[i] N/m is spring
// i+1; one of 0 N/m is left out), the two fixed ends and n mass discs, each mass raised by
// scale * y[i]. Springs inherit the line width.
void drawChain(const Point2* leftEnd, double scale, int n, const double* y, const double* springs);

// The chain as drawChain draws it, for what is placed beside it.
struct ChainPicture {
    Point2 leftEnd;
    double scale; // window units per metre
    int masses;
    const double* displacements; // m, one per mass
    const double* springs;       // N/m, masses + 1; one of 0 N/m is not drawn
};

// The two captions at the window's top left, laid out in text pixels: at 800 x 800 pixels where
// they have always been, in Helvetica 18; in a smaller font where the window is smaller, one line
// under the other whatever the window's size.
void drawCaptions(const char* first, const char* second);
// Whether a caption is read whole in the window from the captions' margin.
bool captionFits(const char* caption);

// The chart: two black axes through origin, a black grid of n cells on each side of centre, and
// the response curves of samples 0 ... last of each row (rows `stride` samples apart). The axes and
// the grid lie square to the window.
void drawAxes(const Point2* origin);
void drawGrid(const Point2* centre, int n, double cellWidth, double cellHeight);

// The line width the chart leaves for the next frame's springs (2 pixels where it draws curves,
// 1 where it draws only the grid), for a frame whose left half shows something else.
void leaveChartsLineWidth(int curves);

// Every how many of the grid's horizontal lines are drawn, so that those drawn stand at least
// 4 pixels apart: 1, else 5, 10, 50, 100, ... (cellHeight in window units). The vertical lines,
// 20 samples apart, always stand that far apart.
int gridLineStep(double cellHeight);
void drawCurves(const Point2* origin, double step, const double* scales, int count, int last,
                const double* samples, int stride);

// The number of each mass beside its disc, and of each drawn curve at its newest end, in the
// mass's colour darkened to read on white: on the side of its disc that its springs leave free
// (below a mass lower than its neighbours), never over a disc, a spring or another number; where
// there is no such place, the number is left out.
struct MassLabels {
    ChainPicture chain;
    Point2 chartOrigin; // as drawCurves takes them
    double step;
    const double* scales;
    int curves;
    int last;
    const double* samples;
    int stride;
};
void drawMassLabels(const MassLabels* labels);

// The natural modes as the textbook draws them, in the window's left half (where the chart is):
// a row per mode, mode 1 at the top, each mass a disc in its colour at its rest place along the
// row, raised across it by its amplitude in the mode relative to the largest, joined to its
// neighbours and the walls by straight lines over a thin rest line; at the row's left its number,
// its frequency as printed and in Hz, and its share of the energy, as far as the row's height
// allows. Under the rows each mode's frequency against its number, and for a chain of equal
// masses on equal springs the closed form 2 sqrt(k/m) sin(r pi / (2 (n + 1))) through them.
struct ModeFigure {
    int masses;
    const double* omega;                  // rad/s, as printed
    const double (*shapes)[MassCapacity]; // row r: mode r+1 as printed
    const double* largest;                // each row's largest |component|
    const double* shares;                 // fractions of the energy, mode 1 first
    bool uniform;                         // equal masses on equal springs
    double uniformMass;                   // kg
    double uniformSpring;                 // N/m
};
void drawModeFigure(const ModeFigure* figure);

// The spectrum of the motion in the window's left half: each drawn mass's amplitude against the
// angular frequency in its colour, up to a little past the highest mode below the sampling limit,
// with a marker and the number of every mode there; under it the whole range from 0 to the
// sampling limit, every mode's place in it (those beyond at its edge, said to lie beyond); above
// it the record's length, the resolution 2 pi / T and the limit.
struct SpectrumPicture {
    const MotionSpectrum* motion;
    int modes;
    const double* omega; // rad/s, as printed
    double limit;        // rad/s: pi over the sampling interval
};
void drawSpectrum(const SpectrumPicture* spectrum);

// The energy panel, in the lower right corner: the total energy and its kinetic and potential
// parts (J), the drift since the run's start, and one grey bar per mode whose height is that
// mode's share of the energy, on a white backing with a thin border. It is drawn last, so that
// nothing covers it, in a size of text that fits the window. Where the window is smaller than
// 400 pixels either way the panel is compact (the energy, the drift and the bars), within a third
// of the window, in the right-hand corner that the chain leaves free.
struct EnergyPanel {
    double total;     // J
    double kinetic;   // J
    double potential; // J
    double drift;     // (E - E0) / E0; not a number when the run started at rest
    int modes;
    const double* shares; // fractions, mode 1 first
};
void drawEnergyPanel(const EnergyPanel* panel, const ChainPicture* chain);
