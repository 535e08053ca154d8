// What the window system does differently under X11, Windows and in a browser: the one platform
// header of the window, implemented by window_x11.cpp, window_win32.cpp (and window_web.cpp).
#pragma once

// Whether a window can be opened: the display that GLUT would use (the command line's -display,
// or the environment's) accepts one.
bool displayAvailable(int argc, char** argv);

// Gives the current window its title from UTF-8 text, so that the Japanese characters show
// whatever encoding GLUT hands the window system.
void nameWindow(const char* title);

// Watches the current window for its end by any means (another program destroying it, say):
// while GLUT runs, such an end ends the program with status 0. GLUT's own closing of the window
// (a window manager's close, the program's end) is no such end: stopWatchingWindow, GLUT's close
// callback, comes first.
void watchWindow();
void stopWatchingWindow();

// A descriptor that turns readable once the window has ended by any means (-1 where the window
// system gives none), and whether it has.
int windowEndDescriptor();
bool windowEnded();

// Drops the key presses that reached the window while the console was waiting for input, so
// that they are not replayed once it is done.
void discardKeysPressedMeanwhile();

// While true, the window system's repeats of a key held down are not passed on as presses.
void ignoreKeyRepeat(bool ignore);
