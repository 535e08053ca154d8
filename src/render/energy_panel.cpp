// The energy panel: three lines of numbers and a bar per mode, in the lower right corner.
#include <cmath>
#include <cstdio>

#include "render/render.h"
#include "render/window_system.h"

namespace {

constexpr double PanelLeft = 0.06;     // window units
constexpr float TextLeft = 0.06f;      // window units, the panel's left edge
constexpr double PanelRight = 0.96;    // window units
constexpr float FirstLineY = -0.60f;   // window units, the baseline of the first line
constexpr float LineSpacing = 0.05f;   // window units, as between the captions
constexpr double BarBase = -0.96;      // window units
constexpr double FullBarHeight = 0.16; // window units, a share of 100 %
constexpr double BarFillOfSlot = 0.6;  // the rest of each mode's slot is the gap
// Greys, so that no bar looks like one of the masses: the bar's full height faint, its share dark.
const float FullBarColour[4] = {0.88f, 0.88f, 0.88f, 0.0f};
const float ShareColour[4] = {0.45f, 0.45f, 0.45f, 0.0f};

void fillRectangle(double left, double bottom, double right, double top, const float* colour) {
    lightingOff();
    setColour(colour);
    beginShape(Shape::TriangleStrip);
    vertex(left, bottom);
    vertex(right, bottom);
    vertex(left, top);
    vertex(right, top);
    endShape();
    lightingOn();
}

void drawLines(const EnergyPanel* panel) {
    char line[96];
    std::snprintf(line, sizeof line, "E = %.6g J", panel->total);
    drawText(TextLeft, FirstLineY, CaptionFont, line);
    std::snprintf(line, sizeof line, "kinetic %.4g J, potential %.4g J", panel->kinetic,
                  panel->potential);
    drawText(TextLeft, FirstLineY - LineSpacing, CaptionFont, line);
    if (std::isnan(panel->drift)) {
        std::snprintf(line, sizeof line, "drift (E-E0)/E0: none, E0 = 0");
    } else {
        std::snprintf(line, sizeof line, "drift (E-E0)/E0 = %+.2e", panel->drift);
    }
    drawText(TextLeft, FirstLineY - 2 * LineSpacing, CaptionFont, line);
    std::snprintf(line, sizeof line, "share of E in modes 1 ... %d", panel->modes);
    drawText(TextLeft, FirstLineY - 3 * LineSpacing - 0.01f, CaptionFont, line);
}

} // namespace

void drawEnergyPanel(const EnergyPanel* panel) {
    const double slot = (PanelRight - PanelLeft) / panel->modes;
    for (int r = 0; r < panel->modes; ++r) {
        const double left = PanelLeft + r * slot;
        const double right = left + BarFillOfSlot * slot;
        fillRectangle(left, BarBase, right, BarBase + FullBarHeight, FullBarColour);
        const double share = std::fmin(std::fmax(panel->shares[r], 0.0), 1.0);
        if (share > 0.0) {
            fillRectangle(left, BarBase, right, BarBase + share * FullBarHeight, ShareColour);
        }
    }
    drawLines(panel);
}
