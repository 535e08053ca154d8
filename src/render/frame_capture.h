// The frame a student saves, between the drawing and the window system that shows it: kept apart
// from window_system.h so that the window files which include X11's or Windows' headers (whose
// min and max macros break the standard containers) need not see a container.
#pragma once

#include <vector>

// Whether captureNextFrame (render.h) asked for the frame being finished: each window system's
// endFrame then reads its pixels back before the frame is shown (captions and all), and hands
// them over here, rows from the top, RGB.
bool captureAsked();
void keepCapturedFrame(int width, int height, std::vector<unsigned char>* rgb);
