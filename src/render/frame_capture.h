// The frame a student saves, between the drawing and the window system that shows it: kept apart
// from window_system.h so that the window files which include X11's or Windows' headers (whose
// min and max macros break the standard containers) need not see a container.
#pragma once

#include <vector>

// Called by each window system's endFrame before the frame is shown: reads the frame back when
// captureNextFrame asked for it.
void captureIfAsked();

// The window system's part: the finished frame as the student sees it (captions included), rows
// from the top, RGB.
void readFramePixels(int* width, int* height, std::vector<unsigned char>* rgb);
