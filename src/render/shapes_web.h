// The page's shapes (shapes_web.cpp), for the page's window (window_web.cpp).
#pragma once

#include <GL/gl.h>

// Starts a frame's shapes in the viewport (pixels: x, y, width, height), where the widths of lines
// are measured.
void startShapes(const GLint* viewport);
