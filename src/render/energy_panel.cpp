// The energy panel: lines of numbers and a bar per mode in a corner on the right, laid out in
// text pixels so that it fits whatever the window's size.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "render/caption_layout.h"
#include "render/chain_layout.h"
#include "render/pixel_drawing.h"
#include "render/render.h"
#include "render/window_system.h"

namespace {

constexpr int FullLines = 5;
constexpr int CompactLines = 2;
constexpr int LineLength = 96;
constexpr double Margin = 4.0;          // text pixels between the panel and the window's edges
constexpr double Border = 1.0;          // text pixels
constexpr double FullBarLines = 3.0;    // the bars' full height, in lines of text
constexpr double CompactBarLines = 2.0; // the same in the compact panel
constexpr double BarFillOfSlot = 0.6;   // the rest of each mode's slot is the gap
constexpr double CompactBelow = 400.0;  // text pixels: a smaller side than this takes the compact
const float Backing[4] = {1.0f, 1.0f, 1.0f, 0.0f};
const float BorderColour[4] = {0.0f, 0.0f, 0.0f, 0.0f};
// Greys, so that no bar looks like one of the masses: the bar's full height faint, its share dark.
const float FullBarColour[4] = {0.88f, 0.88f, 0.88f, 0.0f};
const float ShareColour[4] = {0.45f, 0.45f, 0.45f, 0.0f};

// Text pixels from the window's bottom left corner.
struct Layout {
    TextGrid grid;
    void* font;
    int lines;
    double barLines;
    double line; // text pixels from one baseline to the next
    double pad;  // text pixels inside the border
    double left, bottom, right, top;
};

void formatDrift(const EnergyPanel* panel, bool compact, char* line) {
    if (std::isnan(panel->drift)) {
        std::snprintf(line, LineLength,
                      compact ? "drift: E0 = 0" : "drift (E-E0)/E0: none, E0 = 0");
    } else {
        std::snprintf(line, LineLength, compact ? "drift %+.1e" : "drift (E-E0)/E0 = %+.2e",
                      panel->drift);
    }
}

// The full panel's five lines, or the compact one's two: the energy and the drift.
void formatLines(const EnergyPanel* panel, bool compact, char (*lines)[LineLength]) {
    if (compact) {
        std::snprintf(lines[0], LineLength, "E = %.4g J", panel->total);
        formatDrift(panel, true, lines[1]);
        return;
    }
    std::snprintf(lines[0], LineLength, "E = %.6g J", panel->total);
    std::snprintf(lines[1], LineLength, "kinetic %.4g J", panel->kinetic);
    std::snprintf(lines[2], LineLength, "potential %.4g J", panel->potential);
    formatDrift(panel, false, lines[3]);
    std::snprintf(lines[4], LineLength, "share of E in modes 1 ... %d", panel->modes);
}

// As wide as the longest line, never wider than the window; in the lower right corner, or the
// compact panel in the upper right, under the captions, where the chain covers the lower.
Layout layOut(char (*lines)[LineLength], bool compact, const ChainPicture* chain) {
    Layout l = {};
    l.grid = textGrid();
    const double width = l.grid.width;
    const double height = l.grid.height;
    l.font = compact ? SmallFont : fontForWindow(width, height);
    l.lines = compact ? CompactLines : FullLines;
    l.barLines = compact ? CompactBarLines : FullBarLines;
    const double size = fontHeight(l.font);
    l.line = size * 1.25;
    l.pad = size * 0.5;
    double text = 0.0;
    for (int k = 0; k < l.lines; ++k) {
        text = std::max(text, static_cast<double>(textWidth(l.font, lines[k])));
    }
    l.right = width - Margin;
    l.left = std::max(Margin, l.right - text - 2.0 * l.pad);
    const double tall = (l.lines + l.barLines) * l.line + 2.0 * l.pad;
    l.bottom = Margin;
    l.top = l.bottom + tall;
    ChainFootprint footprint;
    if (compact) {
        chainFootprint(*chain, width, height, &footprint);
    }
    if (compact && chainCovers(footprint, {l.left, l.bottom, l.right, l.top})) {
        l.top = height - captionsBottom(width, height);
        l.bottom = l.top - tall;
    }
    return l;
}

void drawBars(const Layout& l, const EnergyPanel* panel) {
    const double slot = (l.right - l.left - 2.0 * l.pad) / panel->modes;
    const double base = l.bottom + l.pad;
    const double full = l.barLines * l.line - l.pad;
    for (int r = 0; r < panel->modes; ++r) {
        const double left = l.left + l.pad + r * slot;
        const double right = left + BarFillOfSlot * slot;
        fillBox(l.grid, left, base, right, base + full, FullBarColour);
        const double share = std::fmin(std::fmax(panel->shares[r], 0.0), 1.0);
        if (share > 0.0) {
            fillBox(l.grid, left, base, right, base + share * full, ShareColour);
        }
    }
}

} // namespace

void drawEnergyPanel(const EnergyPanel* panel, const ChainPicture* chain) {
    const TextGrid grid = textGrid();
    const bool compact = std::min(grid.width, grid.height) < CompactBelow;
    char lines[FullLines][LineLength];
    formatLines(panel, compact, lines);
    const Layout l = layOut(lines, compact, chain);
    fillBox(l.grid, l.left, l.bottom, l.right, l.top, BorderColour);
    fillBox(l.grid, l.left + Border, l.bottom + Border, l.right - Border, l.top - Border, Backing);
    for (int k = 0; k < l.lines; ++k) {
        const double baseline = l.top - l.pad - (k + 1) * l.line + (l.line - fontHeight(l.font));
        drawText(static_cast<float>(l.grid.windowX(l.left + l.pad)),
                 static_cast<float>(l.grid.windowY(baseline)), l.font, lines[k]);
    }
    drawBars(l, panel);
}
