// The amplitude spectrum against the analytic spectrum of sums of sinusoids: a sinusoid of
// amplitude A at a bin's frequency reads A at that bin, and half of A at each neighbour (Hann's
// window); a constant reads as itself at bin 0; any size of sample is read alike.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "analysis/spectrum.h"

namespace {

constexpr double Pi = 3.14159265358979323846;

bool onlyTwoThreeFive(int n) {
    for (int f : {2, 3, 5}) {
        while (n % f == 0) {
            n /= f;
        }
    }
    return n == 1;
}

TEST(SpectrumLength, TheLargestEvenProductOfTwosThreesAndFivesHeld) {
    EXPECT_EQ(spectrumLength(0, 4096), 0);
    EXPECT_EQ(spectrumLength(1, 4096), 0);
    EXPECT_EQ(spectrumLength(401, 4096), 400);
    EXPECT_EQ(spectrumLength(4097, 4096), 4096);
    for (int held = 2; held <= 4096; ++held) {
        const int n = spectrumLength(held, 4096);
        ASSERT_TRUE(n % 2 == 0 && onlyTwoThreeFive(n) && n <= held) << held;
        for (int larger = n + 2; larger <= held; larger += 2) {
            ASSERT_FALSE(onlyTwoThreeFive(larger)) << held << ": " << larger << " was longer";
        }
    }
}

// x[n] = c + sum_j A_j cos(2 pi k_j n / N + phi_j), bins k_j far apart.
std::vector<double> sinusoids(int length, double constant,
                              const std::vector<std::vector<double>>& waves) {
    std::vector<double> x(static_cast<std::size_t>(length), constant);
    for (int n = 0; n < length; ++n) {
        for (const auto& w : waves) {
            x[static_cast<std::size_t>(n)] += w[1] * std::cos(2.0 * Pi * w[0] * n / length + w[2]);
        }
    }
    return x;
}

TEST(AmplitudeSpectrum, SinusoidsAtBinsReadTheirAmplitudes) {
    for (const int length : {400, 1536, 4096}) {
        for (const double size : {1e-300, 1e-3, 1.0, 1e6}) {
            const std::vector<std::vector<double>> waves = {
                {12, 0.7 * size, 0.3}, {40, 0.2 * size, -1.0}, {97, 0.05 * size, 2.0}};
            const std::vector<double> x = sinusoids(length, 0.1 * size, waves);
            std::vector<double> a(static_cast<std::size_t>(length / 2 + 1));
            amplitudeSpectrum(x.data(), length, a.data());
            EXPECT_NEAR(a[0], 0.1 * size, 1e-5 * size) << "the constant";
            for (const auto& w : waves) {
                const std::size_t k = static_cast<std::size_t>(w[0]);
                EXPECT_NEAR(a[k], w[1], 1e-5 * size) << length << " bin " << k;
                EXPECT_NEAR(a[k - 1], w[1] / 2.0, 1e-5 * size) << "Hann's neighbour";
                EXPECT_NEAR(a[k + 2], 0.0, 1e-5 * size) << "and nothing further";
            }
        }
    }
}

// Between two bins a sinusoid's peak falls by Hann's scalloping, never more than 16 per cent.
TEST(AmplitudeSpectrum, BetweenBinsThePeakStaysNear) {
    const int length = 1000;
    const std::vector<double> x = sinusoids(length, 0.0, {{50.5, 1.0, 0.0}});
    std::vector<double> a(length / 2 + 1);
    amplitudeSpectrum(x.data(), length, a.data());
    EXPECT_NEAR(a[50], a[51], 1e-6);
    EXPECT_GT(a[50], 0.84);
    EXPECT_LT(a[50], 1.0);
}

} // namespace
