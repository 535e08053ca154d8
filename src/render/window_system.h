// What the window does differently under X11 and under Windows; window_x11.cpp and
// window_win32.cpp each implement it, besides displayAvailable and discardKeysPressedMeanwhile of
// render.h.
#pragma once

// Gives the current window its title from UTF-8 text, so that the Japanese characters show
// whatever encoding GLUT hands the window system.
void nameWindow(const char* title);

// Starts watching the current window for its end by any means (another program destroying it,
// say): while GLUT runs, such an end ends the program with status 0. GLUT's own closing of the
// window (a window manager's close, the program's end) is no such end: the watch stops first.
void watchWindow();
void stopWatchingWindow();
