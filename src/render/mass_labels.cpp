// The numbers that tell the masses apart without reading their colours: one beside each disc,
// one at the newest end of each curve, each in its mass's colour darkened to read on white.
#include <cstdio>

#include "render/chain_layout.h"
#include "render/label_places.h"
#include "render/mass_colours.h"
#include "render/render.h"
#include "render/window_system.h"

namespace {

constexpr double Gap = 3.0; // text pixels between a label and what it names
// The colours at this fraction of their strength: yellow (1, 1, 0) becomes an olive that stands
// out from white as much as the pure red does.
constexpr float DarkShade = 0.45f;

struct TextGrid {
    double width;  // text pixels
    double height; // text pixels
    double x(double windowX) const { return (windowX + 1.0) / 2.0 * width; }
    double y(double windowY) const { return (windowY + 1.0) / 2.0 * height; }
    float windowX(double pixels) const { return static_cast<float>(pixels / width * 2.0 - 1.0); }
    float windowY(double pixels) const { return static_cast<float>(pixels / height * 2.0 - 1.0); }
};

// The label of mass `index` + 1 at the first of the places that fits.
void label(const TextGrid& grid, int index, const LabelBox* places, int count) {
    const int taken = placeLabel(places, count, grid.width, grid.height);
    if (taken < 0) {
        return;
    }
    char number[16];
    std::snprintf(number, sizeof number, "%d", index + 1);
    const float* c = MassColor[index];
    const float dark[4] = {c[0] * DarkShade, c[1] * DarkShade, c[2] * DarkShade, c[3]};
    drawColouredText(grid.windowX(places[taken].left), grid.windowY(places[taken].bottom),
                     LabelFont, dark, number);
}

// A box of the label's size with its bottom left corner at (left, bottom).
LabelBox box(double left, double bottom, double width, double height) {
    return {left, bottom, left + width, bottom + height};
}

// Above the disc, else below it.
void labelDiscs(const TextGrid& grid, const MassLabels* scene, double height) {
    const double dx = (ChainRightEndX - scene->chainLeft.x) / (scene->masses + 1);
    const double radius = MassRadius / 2.0 * grid.height;
    double x = scene->chainLeft.x;
    for (int i = 0; i < scene->masses; ++i) {
        x += dx;
        char number[16];
        std::snprintf(number, sizeof number, "%d", i + 1);
        const double width = textWidth(LabelFont, number);
        const double cx = grid.x(x);
        const double cy = grid.y(scene->chainLeft.y + scene->chainScale * scene->displacements[i]);
        const LabelBox places[2] = {box(cx - width / 2, cy + radius + Gap, width, height),
                                    box(cx - width / 2, cy - radius - Gap - height, width, height)};
        label(grid, i, places, 2);
    }
}

// Right of the curve's newest point, else right above or right below it.
void labelCurveEnds(const TextGrid& grid, const MassLabels* scene, double height) {
    const double ex = grid.x(scene->chartOrigin.x + scene->last * scene->step);
    for (int c = 0; c < scene->curves; ++c) {
        char number[16];
        std::snprintf(number, sizeof number, "%d", c + 1);
        const double width = textWidth(LabelFont, number);
        const double newest = scene->samples[c * scene->stride + scene->last];
        const double ey = grid.y(scene->chartOrigin.y + scene->scales[c] * newest);
        const LabelBox places[3] = {box(ex + Gap, ey - height / 2, width, height),
                                    box(ex + Gap, ey + Gap, width, height),
                                    box(ex + Gap, ey - Gap - height, width, height)};
        label(grid, c, places, 3);
    }
}

} // namespace

// Digits rise about three quarters of the font's height above the baseline.
void drawMassLabels(const MassLabels* scene) {
    TextGrid grid = {0.0, 0.0};
    textPixels(&grid.width, &grid.height);
    if (!(grid.width > 0.0 && grid.height > 0.0)) {
        return;
    }
    const double height = fontHeight(LabelFont) * 3.0 / 4.0;
    clearLabels();
    labelDiscs(grid, scene, height);
    labelCurveEnds(grid, scene, height);
}
