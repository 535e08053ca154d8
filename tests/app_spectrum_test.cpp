// The spectrum of a run, read back from its CSV as a student's script would, against the
// Hann-windowed DFT of the exact modal solution (LAPACK's modes) sampled at the exported times:
// the same amplitudes to a few per cent, a peak at the printed frequency of every mode that
// moves a mass, and no peak anywhere else.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <sstream>
#include <string>
#include <vector>

#include "app/frame.h"
#include "app/run_start.h"
#include "app/spectrum_view.h"
#include "chain_fixture.h"
#include "modal/modal.h"
#include "model/simulation_state.h"
#include "report/report.h"

using namespace SimulationState;

namespace {

constexpr double Pi = 3.14159265358979323846;

struct Table {
    std::vector<std::string> details;      // the '#' lines
    std::vector<std::vector<double>> rows; // omega, then each mass's amplitude
};

Table parse(const std::string& csv) {
    Table t;
    std::stringstream in(csv);
    std::string line;
    bool titles = false;
    while (std::getline(in, line)) {
        if (line.rfind("#", 0) == 0) {
            t.details.push_back(line);
        } else if (!titles) {
            titles = true;
        } else {
            std::vector<double> row;
            std::stringstream cells(line);
            std::string cell;
            while (std::getline(cells, cell, ',')) {
                row.push_back(std::stod(cell));
            }
            t.rows.push_back(row);
        }
    }
    return t;
}

// Mode r's amplitude in mass i's exact motion from x0 (at rest), and the motion itself: the sum of
// its modes.
double modalAmplitude(const Chain& chain, const ReferenceModes& ref, const std::vector<double>& x0,
                      std::size_t r, int i) {
    double mu = 0.0;
    double projected = 0.0;
    for (std::size_t j = 0; j < x0.size(); ++j) {
        mu += chain.masses[j] * ref.shape[r][j] * ref.shape[r][j];
        projected += chain.masses[j] * ref.shape[r][j] * x0[j];
    }
    return ref.shape[r][static_cast<std::size_t>(i)] * projected / mu;
}

double exactDisplacement(const Chain& chain, const ReferenceModes& ref,
                         const std::vector<double>& x0, int i, double t) {
    double x = 0.0;
    for (std::size_t r = 0; r < ref.lambda.size(); ++r) {
        x += modalAmplitude(chain, ref, x0, r, i) * std::cos(std::sqrt(ref.lambda[r]) * t);
    }
    return x;
}

// A typed start run for `frames` frames with every curve drawn and the spectrum shown, then the
// spectrum exported.
std::string runAndExport(const Chain& chain, const std::vector<double>& x0, int frames) {
    loadChain(chain);
    SearchNaturalFrequencies();
    ComputeModeShapes();
    for (int i = 0; i < Entries.chain.nfree; ++i) {
        Entries.start.y0[i] = x0[static_cast<std::size_t>(i)];
        Entries.start.v0[i] = 0.0;
    }
    Entries.start.ncurve = Entries.chain.nfree;
    Entries.start.MaxAmplitude = 1.0;
    startRun();
    for (int f = 0; f < frames; ++f) {
        advanceFrame();
    }
    return spectrumCsv(motionSpectrum());
}

TEST(MotionSpectrum, MatchesTheExactSolutionAndPeaksAtThePrintedFrequencies) {
    const struct {
        Chain chain;
        std::vector<double> start;
        int frames;
    } cases[] = {{uniformChain(3, 1.0, 100.0), {0.1, 0.0, 0.0}, 150},
                 {Chain{{1.0, 2.0, 0.5, 1.5}, {20, 30, 10, 40, 25}}, {0.0, 0.05, -0.1, 0.02}, 400},
                 {uniformChain(6, 1.0, 4.0), {0, 1, 0, 0, 0, 1}, 1100}};
    for (const auto& c : cases) {
        const Table t = parse(runAndExport(c.chain, c.start, c.frames));
        const ReferenceModes ref = referenceModes(c.chain);
        ASSERT_EQ(t.details.size(), 6u);
        const int length = std::stoi(t.details[1].substr(t.details[1].find(',') + 1));
        const double first = std::stod(t.details[2].substr(t.details[2].find(',') + 1));
        ASSERT_EQ(static_cast<int>(t.rows.size()), length / 2 + 1);
        const double bin = t.rows[1][0];
        const int n = static_cast<int>(c.start.size());
        for (int i = 0; i < n; ++i) {
            SCOPED_TRACE("mass " + std::to_string(i + 1));
            std::vector<std::complex<double>> exact(t.rows.size());
            double largest = 0.0;
            for (std::size_t k = 0; k < t.rows.size(); ++k) {
                largest = std::max(largest, t.rows[k][1 + i]);
            }
            for (std::size_t k = 0; k < t.rows.size(); k += 7) {
                std::complex<double> sum = 0.0;
                for (int s = 0; s < length; ++s) {
                    const double w = 0.5 - 0.5 * std::cos(2.0 * Pi * s / length);
                    sum += w * exactDisplacement(c.chain, ref, c.start, i, first + 0.01 * s) *
                           std::polar(1.0, -2.0 * Pi * static_cast<double>(k) * s / length);
                }
                const double amplitude = (k == 0 ? 2.0 : 4.0) * std::abs(sum) / length;
                EXPECT_NEAR(t.rows[k][1 + i], amplitude, 0.03 * largest) << "bin " << k;
            }
            for (std::size_t k = 1; k + 1 < t.rows.size(); ++k) {
                const double a = t.rows[k][1 + i];
                if (a < 0.05 * largest || a < t.rows[k - 1][1 + i] || a < t.rows[k + 1][1 + i]) {
                    continue;
                }
                double nearest = 1e300;
                for (int r = 0; r < n; ++r) {
                    nearest = std::min(nearest, std::fabs(Entries.modes.omega0[r] - t.rows[k][0]));
                }
                EXPECT_LE(nearest, bin) << "a peak at " << t.rows[k][0] << " rad/s";
            }
            double strongest = 0.0;
            for (std::size_t r = 0; r < ref.lambda.size(); ++r) {
                strongest =
                    std::max(strongest, std::fabs(modalAmplitude(c.chain, ref, c.start, r, i)));
            }
            for (std::size_t r = 0; r < ref.lambda.size(); ++r) {
                const double a = std::fabs(modalAmplitude(c.chain, ref, c.start, r, i));
                if (a <= 0.05 * strongest) {
                    continue;
                }
                const std::size_t k =
                    static_cast<std::size_t>(std::lround(std::sqrt(ref.lambda[r]) / bin));
                const double peak =
                    std::max({t.rows[k - 1][1 + i], t.rows[k][1 + i], t.rows[k + 1][1 + i]});
                EXPECT_GT(peak, 0.5 * a) << "mode " << r + 1 << "'s peak";
            }
        }
    }
}

} // namespace
