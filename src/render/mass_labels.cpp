// The numbers that tell the masses apart without reading their colours: one beside each disc,
// one at the newest end of each curve, each in its mass's colour darkened to read on white.
#include <cstdio>

#include "render/chain_layout.h"
#include "render/label_places.h"
#include "render/mass_colours.h"
#include "render/pixel_drawing.h"
#include "render/render.h"
#include "render/window_system.h"

namespace {

constexpr double Gap = 3.0; // text pixels between a label and what it names
// The colours at this fraction of their strength: yellow (1, 1, 0) becomes an olive that stands
// out from white as much as the pure red does.
constexpr float DarkShade = 0.45f;

// The label of mass `index` + 1 in the first of the places that the chain leaves free and no
// other label takes.
void label(const TextGrid& grid, const ChainFootprint& chain, int index, LabelBox* places,
           int count) {
    int usable = 0;
    for (int k = 0; k < count; ++k) {
        if (!chainCovers(chain, places[k])) {
            places[usable++] = places[k];
        }
    }
    const int taken = placeLabel(places, usable, grid.width, grid.height);
    if (taken < 0) {
        return;
    }
    char number[16];
    std::snprintf(number, sizeof number, "%d", index + 1);
    const float* c = MassColor[index];
    const float dark[4] = {c[0] * DarkShade, c[1] * DarkShade, c[2] * DarkShade, c[3]};
    writeAt(grid, places[taken].left, places[taken].bottom, LabelFont, dark, number);
}

// A box of the label's size with its bottom left corner at (left, bottom).
LabelBox box(double left, double bottom, double width, double height) {
    return {left, bottom, left + width, bottom + height};
}

// A drawn spring that rises from the disc takes the space above it; a mass lower than its
// neighbours has its number below.
bool springsRise(const ChainPicture& chain, const Point2* centres, int i) {
    const Point2 rightEnd = {ChainRightEndX, chain.leftEnd.y};
    const Point2& left = i > 0 ? centres[i - 1] : chain.leftEnd;
    const Point2& right = i + 1 < chain.masses ? centres[i + 1] : rightEnd;
    const double y = centres[i].y;
    const int rising = (chain.springs[i] != 0.0 && left.y > y ? 1 : 0) +
                       (chain.springs[i + 1] != 0.0 && right.y > y ? 1 : 0);
    const int falling = (chain.springs[i] != 0.0 && left.y < y ? 1 : 0) +
                        (chain.springs[i + 1] != 0.0 && right.y < y ? 1 : 0);
    return rising > falling;
}

void labelDiscs(const TextGrid& grid, const ChainPicture& chain, const ChainFootprint& footprint,
                double height) {
    Point2 centres[MassCapacity];
    massCentres(chain, centres);
    const double radius = MassRadius / 2.0 * grid.height;
    for (int i = 0; i < chain.masses; ++i) {
        char number[16];
        std::snprintf(number, sizeof number, "%d", i + 1);
        const double width = textWidth(LabelFont, number);
        const double cx = grid.x(centres[i].x);
        const double cy = grid.y(centres[i].y);
        const LabelBox above = box(cx - width / 2, cy + radius + Gap, width, height);
        const LabelBox below = box(cx - width / 2, cy - radius - Gap - height, width, height);
        LabelBox places[2] = {above, below};
        if (springsRise(chain, centres, i)) {
            places[0] = below;
            places[1] = above;
        }
        label(grid, footprint, i, places, 2);
    }
}

// Right of the curve's newest point, else right above or right below it.
void labelCurveEnds(const TextGrid& grid, const MassLabels* scene, const ChainFootprint& footprint,
                    double height) {
    const double ex = grid.x(scene->chartOrigin.x + scene->last * scene->step);
    for (int c = 0; c < scene->curves; ++c) {
        char number[16];
        std::snprintf(number, sizeof number, "%d", c + 1);
        const double width = textWidth(LabelFont, number);
        const double newest = scene->samples[c * scene->stride + scene->last];
        const double ey = grid.y(scene->chartOrigin.y + scene->scales[c] * newest);
        LabelBox places[3] = {box(ex + Gap, ey - height / 2, width, height),
                              box(ex + Gap, ey + Gap, width, height),
                              box(ex + Gap, ey - Gap - height, width, height)};
        label(grid, footprint, c, places, 3);
    }
}

} // namespace

// Digits rise about three quarters of the font's height above the baseline.
void drawMassLabels(const MassLabels* scene) {
    const TextGrid grid = textGrid();
    if (!(grid.width > 0.0 && grid.height > 0.0)) {
        return;
    }
    const double height = fontHeight(LabelFont) * 3.0 / 4.0;
    ChainFootprint footprint;
    chainFootprint(scene->chain, grid.width, grid.height, &footprint);
    clearLabels();
    labelDiscs(grid, scene->chain, footprint, height);
    labelCurveEnds(grid, scene, footprint, height);
}
