#include "render/caption_layout.h"

#include <algorithm>

#include "render/pixel_drawing.h"
#include "render/render.h"
#include "render/window_system.h"

namespace {

constexpr double LargeWindow = 600.0;  // text pixels: Helvetica 18 from here on
constexpr double MediumWindow = 360.0; // text pixels: Helvetica 12 from here on, smaller below

// The captions' line is their font's height and 2 pixels; they start one line from the left edge
// and two lines below the top (20 and 40 pixels at 800 x 800, where they have always been).
constexpr double LineSpacing = 2.0;     // text pixels between the font's height and the next line
constexpr double NarrowestMargin = 2.0; // text pixels, where a caption is wider than its room

} // namespace

void* fontForWindow(double width, double height) {
    const double smaller = std::min(width, height);
    return smaller >= LargeWindow ? CaptionFont : (smaller >= MediumWindow ? LabelFont : SmallFont);
}

// The second baseline is three lines down; the font's descent stays within its line.
double captionsBottom(double width, double height) {
    return 3.0 * (fontHeight(fontForWindow(width, height)) + LineSpacing) + LineSpacing;
}

bool captionFits(const char* caption) {
    const TextGrid g = textGrid();
    void* font = fontForWindow(g.width, g.height);
    return fontHeight(font) + LineSpacing + textWidth(font, caption) <= g.width;
}

// A caption wider than the window from its margin starts further left, so that as much of it as
// fits is read.
void drawCaptions(const char* first, const char* second) {
    const TextGrid g = textGrid();
    if (!(g.width > 0.0 && g.height > 0.0)) {
        return;
    }
    void* font = fontForWindow(g.width, g.height);
    const double line = fontHeight(font) + LineSpacing;
    const double widest = std::max(textWidth(font, first), textWidth(font, second));
    const auto x =
        static_cast<float>(g.windowX(std::max(NarrowestMargin, std::min(line, g.width - widest))));
    drawText(x, static_cast<float>(g.windowY(g.height - 2.0 * line)), font, first);
    drawText(x, static_cast<float>(g.windowY(g.height - 3.0 * line)), font, second);
}
