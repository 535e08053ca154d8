// What the window does differently under X11 and under Windows; window_x11.cpp and
// window_win32.cpp each implement it, besides displayAvailable and discardKeysPressedMeanwhile of
// render.h.
#pragma once

// Gives the current window its title from UTF-8 text, so that the Japanese characters show
// whatever encoding GLUT hands the window system.
void nameWindow(const char* title);
