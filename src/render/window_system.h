// What the window system does differently under X11, Windows and in a browser: the one platform
// header of the window, implemented by window_x11.cpp or window_win32.cpp with desktop_glut.cpp,
// and by window_web.cpp.
#pragma once

// Whether a window can be opened: the display that GLUT would use (the command line's -display,
// or the environment's) accepts a connection. The display is asked once (once more a moment
// later, where it refused), and the connection is kept: a server whose last client leaves starts
// afresh, and refuses GLUT's connection a moment later.
bool displayAvailable(int argc, char** argv);

// Readies the window system for GLUT, before GLUT starts.
void prepareForGlut();

// Gives the current window its title from UTF-8 text, so that the Japanese characters show
// whatever encoding GLUT hands the window system.
void nameWindow(const char* title);

// Watches the current window for its end by any means (another program destroying it, say):
// while GLUT runs, such an end ends the program with status 0. GLUT's own closing of the window
// (a window manager's close, the program's end) is no such end: stopWatchingWindow, GLUT's close
// callback, comes first.
void watchWindow();
void stopWatchingWindow();

// Whether the window has ended by any means.
bool windowEnded();

// While a key's question waits in the console, GLUT's loop does not run: the window system watches
// the window meanwhile, and windowEndDescriptor (-1 where the window system gives none) turns
// readable when the window is closed (a window manager's close) or ended by any other means.
// consoleWaits(false) ends the watch and drops the key presses that reached the window meanwhile,
// so that they are not replayed.
void consoleWaits(bool waiting);
int windowEndDescriptor();

// Whether the program ends because its connection to the display was lost (the window killed by
// the window manager, the X server gone): the window system then ends it with status 0, and its
// exit handlers may say so.
bool displayLost();

// While true, the window system's repeats of a key held down are not passed on as presses.
void ignoreKeyRepeat(bool ignore);

// --- The event loop -------------------------------------------------------------------------

// Registers GLUT's window-status callback where the window system has one (a page's canvas is
// never minimised, and nobody but the page can take it away).
void registerWindowStatus(void (*callback)(int state));

// Runs GLUT's loop. On the desktop it never returns, and the console's reads may wait inside its
// callbacks. In a browser they may not: a read there waits for the page's events on main's own
// stack. The loop then only starts, and returns; a key that asks in the console is passed on
// (passToMainLoop says true) and main takes it up with nextKeyForMainLoop, which waits for one.
void enterWindowLoop();
bool passToMainLoop(unsigned char key);
unsigned char nextKeyForMainLoop();

// Ends the program with the status, from any callback: in a browser also while main waits for
// the page, which is then told that the program has ended.
[[noreturn]] void endProgram(int status);

// Tells the page whether play runs (a desktop window shows nothing of it).
void tellPlaying(bool playing);

// What the frame just drawn shows, in figures, for those who cannot see it.
struct FrameDescription {
    double seconds;   // s, simulated since the run's start
    int masses;       // in the chain
    int largestMass;  // 1-based, the mass furthest from rest
    double largest;   // m, its displacement
    int dominantMode; // 1-based, the mode that holds most of the energy; 0 at rest
    double share;     // fraction of the energy that mode holds
    bool panelShown;  // whether the energy panel is shown, and then its figures:
    double energy;    // J
    double drift;     // (E - E0) / E0; not a number when the run started at rest
};

// Tells the page what the frame just drawn shows. A desktop window says nothing.
void describeFrame(const FrameDescription& frame);

// --- Drawing, as the window system's GL takes it ----------------------------------------------
// Desktop GL (desktop_glut.cpp, X11 and Windows alike) draws with the classic immediate mode; a
// browser's WebGL (window_web.cpp) has no wide lines, no double vertices and no bitmap fonts, and
// draws the same shapes its own way. Besides beginFrame, endFrame and drawText of render.h:

enum class Shape { Lines, LineStrip, TriangleStrip, Triangles };

// The drawing fills the window of this size (pixels), in window units from -1 to 1 both ways.
void fitViewport(int width, int height);

// Lighting is off while a primitive draws and on between primitives; the captions take the unlit
// default material's colour from it.
void lightingOff();
void lightingOn();

void setColour(const float* rgba);
void setLineWidth(float pixels);

// One primitive, its vertices in window units about the current origin.
void beginShape(Shape shape);
void vertex(double x, double y);
void endShape();

// Moves the origin to (x, y) until restoreOrigin, as a saved and translated modelview matrix.
void moveOrigin(double x, double y);
void restoreOrigin();

// --- Text, measured in text pixels --------------------------------------------------------------
// A text pixel is a pixel of the window on the desktop; in a page it is a CSS pixel of the canvas
// as shown, the unit of the page's fonts, so that text keeps its size on a screen that shows the
// canvas smaller than 800 pixels.

// The window's width and height in text pixels.
void textPixels(double* width, double* height);

// Fonts besides CaptionFont (render.h): GLUT's bitmap Helvetica 12 and 10; in a page, 12 and 11
// CSS pixels, the smallest that reads on a phone.
extern void* const LabelFont;
extern void* const SmallFont;

// A font's height and a text's width, in text pixels.
int fontHeight(void* font);
int textWidth(void* font, const char* text);

// A line of text starting at (x, y) in the colour given (drawText's takes the unlit grey).
void drawColouredText(float x, float y, void* font, const float* colour, const char* text);
