// The natural modes as a textbook draws them, in the window's left half: a row per mode, the masses
// displaced across the row by the mode's shape, and under the rows each mode's frequency against
// its number (the chain's dispersion).
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "render/caption_layout.h"
#include "render/mass_colours.h"
#include "render/pixel_drawing.h"
#include "render/render.h"
#include "render/window_system.h"

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr double Margin = 6.0;            // text pixels inside the half's edges
constexpr double DispersionShare = 0.25;  // of the half's height, under the rows
constexpr double LargestDiscRadius = 8.0; // text pixels
constexpr double DiscOfRow = 0.2;         // a disc's radius, of its row's height
constexpr double DiscOfSpacing = 0.35;    // of the spacing of the masses: neighbours never touch
constexpr int CurvePoints = 64;           // of the uniform chain's closed form
const float Rest[4] = {0.8f, 0.8f, 0.8f, 0.0f};
const float Joint[4] = {0.3f, 0.3f, 0.3f, 0.0f};

// The row's number and frequency as printed, and its frequency in Hz and share of the energy.
void formatLabel(const ModeFigure* f, int r, char* first, char* second, int size) {
    std::snprintf(first, static_cast<std::size_t>(size), "%d  %.4f rad/s", r + 1, f->omega[r]);
    std::snprintf(second, static_cast<std::size_t>(size), "%.4f Hz  %.1f %%",
                  f->omega[r] / (2.0 * Pi), 100.0 * f->shares[r]);
}

// How many lines of label a row of that height takes: two, one, or none.
int labelLines(double rowHeight, void* font) {
    return rowHeight >= 2.0 * lineHeight(font) ? 2 : (rowHeight >= lineHeight(font) ? 1 : 0);
}

// The widest label of any row, and the margin after it.
double labelColumn(const ModeFigure* f, int lines, void* font) {
    double widest = 0.0;
    for (int r = 0; r < f->masses && lines > 0; ++r) {
        char first[48];
        char second[48];
        formatLabel(f, r, first, second, sizeof first);
        widest = std::max(widest, static_cast<double>(textWidth(font, first)));
        if (lines > 1) {
            widest = std::max(widest, static_cast<double>(textWidth(font, second)));
        }
    }
    return lines > 0 ? widest + Margin : 0.0;
}

void drawRowLabel(const TextGrid& g, const ModeFigure* f, int r, const Area& row, int lines,
                  void* font) {
    char first[48];
    char second[48];
    formatLabel(f, r, first, second, sizeof first);
    const double middle = (row.top + row.bottom) / 2.0;
    const double base = lines > 1 ? middle + 1.0 : middle - fontHeight(font) / 3.0;
    if (lines > 0) {
        writeAt(g, row.left, base, font, Ink, first);
    }
    if (lines > 1) {
        writeAt(g, row.left, base - lineHeight(font), font, Ink, second);
    }
}

// Where the rows' masses lie (text pixels): mass i of row r at (x[i], y[r][i]), the walls at
// x[-1] and x[n] on the row's rest line rest[r]; and the discs' radius.
struct RowPlaces {
    double x[MassCapacity + 2];
    double y[MassCapacity][MassCapacity];
    double rest[MassCapacity];
    double radius;
};

// The walls at both ends of each row, the masses at their rest places between, each raised by its
// amplitude in the mode relative to the largest: so that neighbouring discs never touch, and no
// disc leaves its row.
void placeRows(const ModeFigure* f, const Area& rows, double labelWidth, RowPlaces* p) {
    const int n = f->masses;
    const double rowHeight = (rows.top - rows.bottom) / n;
    const double x0 = rows.left + labelWidth;
    const double spacing = (rows.right - x0) / (n + 1);
    p->radius = std::max(
        1.5, std::min({LargestDiscRadius, DiscOfRow * rowHeight, DiscOfSpacing * spacing}));
    const double reach = rowHeight / 2.0 - p->radius - 1.0;
    for (int i = 0; i <= n + 1; ++i) {
        p->x[i] = x0 + i * spacing;
    }
    p->x[n + 1] = rows.right;
    for (int r = 0; r < n; ++r) {
        p->rest[r] = rows.top - (r + 0.5) * rowHeight;
        for (int i = 0; i < n; ++i) {
            p->y[r][i] = p->rest[r] + reach * f->shapes[r][i] / f->largest[r];
        }
    }
}

// Every row's rest line, then every row's joints from wall to wall, then the discs: one
// primitive for the rest lines, one for the joints, one per mass's colour.
void drawRows(const TextGrid& g, const ModeFigure* f, const RowPlaces& p) {
    const int n = f->masses;
    static double xs[2 * MassCapacity * (MassCapacity + 1)];
    static double ys[2 * MassCapacity * (MassCapacity + 1)];
    for (int r = 0; r < n; ++r) {
        xs[2 * r] = p.x[0];
        xs[2 * r + 1] = p.x[n + 1];
        ys[2 * r] = ys[2 * r + 1] = p.rest[r];
    }
    drawPixelSegments(g, xs, ys, 2 * n, 1.0f, Rest);
    int count = 0;
    for (int r = 0; r < n; ++r) {
        for (int i = 0; i <= n; ++i) {
            xs[count] = p.x[i];
            ys[count++] = i > 0 ? p.y[r][i - 1] : p.rest[r];
            xs[count] = p.x[i + 1];
            ys[count++] = i < n ? p.y[r][i] : p.rest[r];
        }
    }
    drawPixelSegments(g, xs, ys, count, 1.0f, Joint);
    for (int i = 0; i < n; ++i) {
        double discX[MassCapacity];
        double discY[MassCapacity];
        for (int r = 0; r < n; ++r) {
            discX[r] = p.x[i + 1];
            discY[r] = p.y[r][i];
        }
        fillPixelDiscs(g, discX, discY, n, p.radius, MassColor[i]);
    }
}

// The frequencies against the mode's number (points), and for a chain of equal masses and equal
// springs the closed form 2 sqrt(k/m) sin(r pi / (2 (n + 1))) through them.
void drawDispersion(const TextGrid& g, const ModeFigure* f, const Area& a, void* font) {
    const int n = f->masses;
    double highest = 0.0;
    for (int r = 0; r < n; ++r) {
        highest = std::max(highest, f->omega[r]);
    }
    if (f->uniform) {
        highest = std::max(highest, 2.0 * std::sqrt(f->uniformSpring / f->uniformMass));
    }
    const double top = highest > 0.0 ? 1.1 * highest : 1.0;
    const double line = lineHeight(font);
    const Area plot = {a.left + Margin, a.bottom + line, a.right - Margin, a.top - line};
    const auto px = [&](double r) { return plot.left + r / (n + 1) * (plot.right - plot.left); };
    const auto py = [&](double w) { return plot.bottom + w / top * (plot.top - plot.bottom); };
    const double axisX[3] = {plot.left, plot.left, plot.right};
    const double axisY[3] = {plot.top, plot.bottom, plot.bottom};
    drawPixelLine(g, axisX, axisY, 3, 1.0f, Ink);
    if (f->uniform) {
        double xs[CurvePoints + 1];
        double ys[CurvePoints + 1];
        for (int k = 0; k <= CurvePoints; ++k) {
            const double r = (n + 1.0) * k / CurvePoints;
            xs[k] = px(r);
            ys[k] = py(2.0 * std::sqrt(f->uniformSpring / f->uniformMass) *
                       std::sin(r * Pi / (2.0 * (n + 1))));
        }
        drawPixelLine(g, xs, ys, CurvePoints + 1, 1.0f, Joint);
    }
    double pointX[MassCapacity];
    double pointY[MassCapacity];
    for (int r = 0; r < n; ++r) {
        pointX[r] = px(r + 1);
        pointY[r] = py(f->omega[r]);
    }
    fillPixelDiscs(g, pointX, pointY, n, 2.5, Ink);
    char label[48];
    std::snprintf(label, sizeof label, "omega_r [rad/s], up to %.4g", top);
    writeAt(g, plot.left, plot.top + 3.0, font, Ink, label);
    writeAt(g, plot.right - textWidth(font, "r"), plot.bottom - line + 2.0, font, Ink, "r");
}

} // namespace

void drawModeFigure(const ModeFigure* figure) {
    const TextGrid g = textGrid();
    if (!(g.width > 0.0 && g.height > 0.0) || figure->masses < 1) {
        return;
    }
    void* font = std::min(g.width, g.height) >= 600.0 ? LabelFont : SmallFont;
    const double header = captionsBottom(g.width, g.height);
    writeAt(g, Margin, g.height - header + lineHeight(font), font, Ink,
            "natural modes: r, omega_r as printed, f_r, share of the energy now");
    const Area half = {Margin, Margin, g.width / 2.0 - Margin, g.height - header};
    const double split = half.bottom + DispersionShare * (half.top - half.bottom);
    const double rowHeight = (half.top - split) / figure->masses;
    // Both lines of every label, in the smaller font where the larger does not fit them.
    void* rowFont = labelLines(rowHeight, font) < 2 ? SmallFont : font;
    int lines = labelLines(rowHeight, rowFont);
    double labelWidth = labelColumn(figure, lines, rowFont);
    if (labelWidth > 0.5 * (half.right - half.left)) {
        lines = 0;
        labelWidth = 0.0;
    }
    for (int r = 0; r < figure->masses; ++r) {
        const Area row = {half.left, half.top - (r + 1) * rowHeight, half.right,
                          half.top - r * rowHeight};
        drawRowLabel(g, figure, r, row, lines, rowFont);
    }
    static RowPlaces places;
    placeRows(figure, {half.left, split, half.right, half.top}, labelWidth, &places);
    drawRows(g, figure, places);
    drawDispersion(g, figure, {half.left, half.bottom, half.right, split}, font);
}
