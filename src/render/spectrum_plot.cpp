// The spectrum of the motion in the window's left half (where the chart is): each drawn mass's
// amplitude against the angular frequency, a marker at every printed natural frequency; under it
// the whole range up to the sampling limit, with every mode's place in it.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "render/mass_colours.h"
#include "render/pixel_drawing.h"
#include "render/render.h"
#include "render/window_system.h"

namespace {

constexpr double Margin = 6.0;        // text pixels inside the half's edges
constexpr double ZoomHeadroom = 1.15; // the plot reaches this far past the highest mode
constexpr int NarrowestZoom = 20;     // bins the plot shows at least
constexpr double OverviewLines = 3.0; // the whole range's strip, in lines of text
const float Marker[4] = {0.7f, 0.7f, 0.7f, 0.0f};

// 1, 2 or 5 times a power of ten, at least x.
double roundUp(double x) {
    const double decade = std::pow(10.0, std::floor(std::log10(x)));
    for (double step : {1.0, 2.0, 5.0, 10.0}) {
        if (step * decade >= x) {
            return step * decade;
        }
    }
    return 10.0 * decade;
}

// The plot's range: past the highest mode below the sampling limit, where the peaks are.
double zoomTop(const SpectrumPicture* s) {
    double highest = 0.0;
    for (int r = 0; r < s->modes; ++r) {
        if (s->omega[r] <= s->limit) {
            highest = std::max(highest, s->omega[r]);
        }
    }
    const double top = highest > 0.0 ? roundUp(ZoomHeadroom * highest) : s->limit;
    return std::min(s->limit, std::max(top, NarrowestZoom * s->motion->binWidth));
}

// One curve, a vertex per pixel column holding the largest amplitude of the bins that fall in it,
// so that no peak is lost however many bins a column holds.
void drawCurve(const TextGrid& g, const SpectrumPicture* s, int c, const Area& plot, double top,
               double largest) {
    static double xs[StepRecordLength / 2 + 1];
    static double ys[StepRecordLength / 2 + 1];
    int count = 0;
    const double* amplitudes = s->motion->amplitudes + c * s->motion->stride;
    for (int k = 0; k < s->motion->bins && k * s->motion->binWidth <= top; ++k) {
        const double x =
            std::floor(plot.left + k * s->motion->binWidth / top * (plot.right - plot.left));
        const double y = plot.bottom + amplitudes[k] / largest * (plot.top - plot.bottom);
        if (count > 0 && xs[count - 1] == x) {
            ys[count - 1] = std::max(ys[count - 1], y);
        } else {
            xs[count] = x;
            ys[count++] = y;
        }
    }
    drawPixelLine(g, xs, ys, count, 1.0f, MassColor[c]);
}

// A thin line at every mode in the plot's range, its number above it where there is room.
void drawMarkers(const TextGrid& g, const SpectrumPicture* s, const Area& plot, double top,
                 void* font) {
    double free = plot.left;
    for (int r = 0; r < s->modes; ++r) {
        if (s->omega[r] > top) {
            continue;
        }
        const double x = plot.left + s->omega[r] / top * (plot.right - plot.left);
        const double xs[2] = {x, x};
        const double ys[2] = {plot.bottom, plot.top};
        drawPixelLine(g, xs, ys, 2, 1.0f, Marker);
        char number[16];
        std::snprintf(number, sizeof number, "%d", r + 1);
        const double width = textWidth(font, number);
        if (x - width / 2.0 >= free) {
            writeAt(g, x - width / 2.0, plot.top + 2.0, font, Ink, number);
            free = x + width / 2.0 + 2.0;
        }
    }
}

// The whole range from 0 to the sampling limit: the plot's part of it, and a tick at every mode,
// those beyond the limit at its edge and said to lie beyond it.
void drawOverview(const TextGrid& g, const SpectrumPicture* s, const Area& a, double top,
                  void* font) {
    const double axis = a.bottom + lineHeight(font) + 2.0;
    const auto px = [&](double w) { return a.left + w / s->limit * (a.right - a.left); };
    fillBox(g, px(0.0), axis, px(top), axis + 4.0, Marker);
    const double xs[2] = {a.left, a.right};
    const double ys[2] = {axis, axis};
    drawPixelLine(g, xs, ys, 2, 1.0f, Ink);
    int beyond = 0;
    for (int r = 0; r < s->modes; ++r) {
        const double x = px(std::min(s->omega[r], s->limit));
        const double tx[2] = {x, x};
        const double ty[2] = {axis, axis + 8.0};
        drawPixelLine(g, tx, ty, 2, 1.0f, Ink);
        beyond += s->omega[r] > s->limit ? 1 : 0;
    }
    char text[64];
    std::snprintf(text, sizeof text, "%.2f rad/s", s->limit);
    writeAt(g, a.right - textWidth(font, text), a.bottom, font, Ink, text);
    writeAt(g, a.left, a.bottom, font, Ink, "0");
    if (beyond > 0) {
        std::snprintf(text, sizeof text, "modes %d-%d beyond the limit >", s->modes - beyond + 1,
                      s->modes);
        writeAt(g, a.right - textWidth(font, text), axis + 10.0, font, Ink, text);
    }
}

void drawHeader(const TextGrid& g, const SpectrumPicture* s, const Area& a, void* font) {
    char first[96];
    char second[96];
    const double duration = s->motion->length * s->motion->interval;
    std::snprintf(first, sizeof first, "spectrum of the last %.2f s: amplitude [m]", duration);
    std::snprintf(second, sizeof second, "resolution 2pi/T = %.3g rad/s, limit pi/dt = %.2f rad/s",
                  duration > 0.0 ? 6.283185307179586 / duration : 0.0, s->limit);
    writeAt(g, a.left, a.top - fontHeight(font), font, Ink, first);
    writeAt(g, a.left, a.top - fontHeight(font) - lineHeight(font), font, Ink, second);
}

} // namespace

void drawSpectrum(const SpectrumPicture* spectrum) {
    const TextGrid g = textGrid();
    if (!(g.width > 0.0 && g.height > 0.0)) {
        return;
    }
    void* font = std::min(g.width, g.height) >= 600.0 ? LabelFont : SmallFont;
    const double line = lineHeight(font);
    const Area half = {Margin, Margin, g.width / 2.0 - Margin, g.height - Margin};
    drawHeader(g, spectrum, half, font);
    const double overviewTop = half.bottom + OverviewLines * line;
    const Area plot = {half.left + 4.0, overviewTop + 2.0 * line, half.right,
                       half.top - 3.0 * line};
    const double top = zoomTop(spectrum);
    double largest = 0.0;
    const MotionSpectrum& m = *spectrum->motion;
    for (int c = 0; c < m.curves; ++c) {
        for (int k = 0; k < m.bins && k * m.binWidth <= top; ++k) {
            largest = std::max(largest, m.amplitudes[c * m.stride + k]);
        }
    }
    largest = largest > 0.0 ? largest : 1.0;
    drawMarkers(g, spectrum, plot, top, font);
    for (int c = 0; c < m.curves; ++c) {
        drawCurve(g, spectrum, c, plot, top, largest);
    }
    const double axisX[3] = {plot.left, plot.left, plot.right};
    const double axisY[3] = {plot.top, plot.bottom, plot.bottom};
    drawPixelLine(g, axisX, axisY, 3, 1.0f, Ink);
    char label[48];
    std::snprintf(label, sizeof label, "%.3g m", largest);
    writeAt(g, plot.left + 3.0, plot.top - fontHeight(font), font, Ink, label);
    std::snprintf(label, sizeof label, "%.4g rad/s", top);
    writeAt(g, plot.right - textWidth(font, label), plot.bottom - line, font, Ink, label);
    writeAt(g, plot.left, plot.bottom - line, font, Ink, "0");
    drawOverview(g, spectrum, {half.left, half.bottom, half.right, overviewTop}, top, font);
}
