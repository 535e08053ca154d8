// The energy panel: five lines of numbers and a bar per mode in the lower right corner, laid out
// in text pixels so that it fits whatever the window's size.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "render/render.h"
#include "render/window_system.h"

namespace {

constexpr int LineCount = 5;
constexpr double Margin = 4.0;         // text pixels between the panel and the window's edges
constexpr double Border = 1.0;         // text pixels
constexpr double BarLines = 3.0;       // the bars' full height, in lines of text
constexpr double BarFillOfSlot = 0.6;  // the rest of each mode's slot is the gap
constexpr double LargeWindow = 600.0;  // text pixels: Helvetica 18 from here on
constexpr double MediumWindow = 360.0; // text pixels: Helvetica 12 from here on, smaller below
const float Backing[4] = {1.0f, 1.0f, 1.0f, 0.0f};
const float BorderColour[4] = {0.0f, 0.0f, 0.0f, 0.0f};
// Greys, so that no bar looks like one of the masses: the bar's full height faint, its share dark.
const float FullBarColour[4] = {0.88f, 0.88f, 0.88f, 0.0f};
const float ShareColour[4] = {0.45f, 0.45f, 0.45f, 0.0f};

// Text pixels from the window's bottom left corner, and their window units.
struct Layout {
    double width;  // the window's, text pixels
    double height; // text pixels
    void* font;
    double line; // text pixels from one baseline to the next
    double pad;  // text pixels inside the border
    double left, bottom, right, top;
    double x(double pixels) const { return pixels / width * 2.0 - 1.0; }
    double y(double pixels) const { return pixels / height * 2.0 - 1.0; }
};

void fillRectangle(const Layout& l, double left, double bottom, double right, double top,
                   const float* colour) {
    lightingOff();
    setColour(colour);
    beginShape(Shape::TriangleStrip);
    vertex(l.x(left), l.y(bottom));
    vertex(l.x(right), l.y(bottom));
    vertex(l.x(left), l.y(top));
    vertex(l.x(right), l.y(top));
    endShape();
    lightingOn();
}

void formatLines(const EnergyPanel* panel, char (*lines)[96]) {
    std::snprintf(lines[0], 96, "E = %.6g J", panel->total);
    std::snprintf(lines[1], 96, "kinetic %.4g J", panel->kinetic);
    std::snprintf(lines[2], 96, "potential %.4g J", panel->potential);
    if (std::isnan(panel->drift)) {
        std::snprintf(lines[3], 96, "drift (E-E0)/E0: none, E0 = 0");
    } else {
        std::snprintf(lines[3], 96, "drift (E-E0)/E0 = %+.2e", panel->drift);
    }
    std::snprintf(lines[4], 96, "share of E in modes 1 ... %d", panel->modes);
}

// The font that the window's size allows, and the panel's box in the lower right corner: as wide
// as its longest line, never wider than the window.
Layout layOut(char (*lines)[96]) {
    Layout l = {};
    textPixels(&l.width, &l.height);
    const double smaller = std::min(l.width, l.height);
    l.font =
        smaller >= LargeWindow ? CaptionFont : (smaller >= MediumWindow ? LabelFont : SmallFont);
    const double size = fontHeight(l.font);
    l.line = size * 1.25;
    l.pad = size * 0.5;
    double text = 0.0;
    for (int k = 0; k < LineCount; ++k) {
        text = std::max(text, static_cast<double>(textWidth(l.font, lines[k])));
    }
    l.right = l.width - Margin;
    l.left = std::max(Margin, l.right - text - 2.0 * l.pad);
    l.bottom = Margin;
    l.top = l.bottom + (LineCount + BarLines) * l.line + 2.0 * l.pad;
    return l;
}

void drawBars(const Layout& l, const EnergyPanel* panel) {
    const double slot = (l.right - l.left - 2.0 * l.pad) / panel->modes;
    const double base = l.bottom + l.pad;
    const double full = BarLines * l.line - l.pad;
    for (int r = 0; r < panel->modes; ++r) {
        const double left = l.left + l.pad + r * slot;
        const double right = left + BarFillOfSlot * slot;
        fillRectangle(l, left, base, right, base + full, FullBarColour);
        const double share = std::fmin(std::fmax(panel->shares[r], 0.0), 1.0);
        if (share > 0.0) {
            fillRectangle(l, left, base, right, base + share * full, ShareColour);
        }
    }
}

} // namespace

void drawEnergyPanel(const EnergyPanel* panel) {
    char lines[LineCount][96];
    formatLines(panel, lines);
    const Layout l = layOut(lines);
    fillRectangle(l, l.left, l.bottom, l.right, l.top, BorderColour);
    fillRectangle(l, l.left + Border, l.bottom + Border, l.right - Border, l.top - Border, Backing);
    for (int k = 0; k < LineCount; ++k) {
        const double baseline = l.top - l.pad - (k + 1) * l.line + (l.line - fontHeight(l.font));
        drawText(static_cast<float>(l.x(l.left + l.pad)), static_cast<float>(l.y(baseline)), l.font,
                 lines[k]);
    }
    drawBars(l, panel);
}
