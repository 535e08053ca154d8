// The window's side of the program: the window opened, GLUT's callbacks registered (the repaint,
// the keys, the window's state, play's timer) and GLUT's main loop entered.
#pragma once

#include "render/render.h"

[[noreturn]] void runGraphics(int* argc, char** argv, const WindowGeometry& geometry);
