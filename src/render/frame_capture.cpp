// The frame a student saves: asked for before it is drawn, read back by the window system as it
// is finished, and handed over once.
#include <vector>

#include "render/frame_capture.h"
#include "render/render.h"

namespace {

bool CaptureNext = false;
int CapturedWidth = 0;               // pixels
int CapturedHeight = 0;              // pixels
std::vector<unsigned char> Captured; // rows from the top, RGB

} // namespace

void captureNextFrame() {
    CaptureNext = true;
}

bool captureAsked() {
    return CaptureNext;
}

void keepCapturedFrame(int width, int height, std::vector<unsigned char>* rgb) {
    CapturedWidth = width;
    CapturedHeight = height;
    Captured.swap(*rgb);
    CaptureNext = false;
}

void takeCapturedFrame(int* width, int* height, std::vector<unsigned char>* rgb) {
    *width = CapturedWidth;
    *height = CapturedHeight;
    rgb->swap(Captured);
    Captured.clear();
}
