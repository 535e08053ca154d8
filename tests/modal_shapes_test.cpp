// Mode shapes: worked examples, the analytic modes of the uniform chain, and chains where mass 1
// rests in some modes.
#include <gtest/gtest.h>
#include <mpfr.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "app/simulation_state.h"
#include "chain_fixture.h"
#include "modal/modal.h"

using namespace SimulationState;

namespace {

const double Pi = std::acos(-1.0);

void analyse(const Chain& chain) {
    loadChain(chain);
    SearchNaturalFrequencies();
    ComputeModeShapes();
}

TEST(ModeShapes, WorkedExamples) {
    analyse({{1, 1}, {1, 1, 1}});
    EXPECT_EQ(ModeShape[0][0], 1.0);
    EXPECT_NEAR(ModeShape[0][1], 1.0, 1e-12);
    EXPECT_NEAR(ModeShape[1][1], -1.0, 1e-12);
    EXPECT_EQ(ModeMaxAmplitude[0], 1.0);
    EXPECT_NEAR(ModeMaxAmplitude[1], 1.0, 1e-12);

    analyse({{1, 2}, {10, 20, 30}});
    // (K - lambda M) y = 0, first row: y2 = (30 - lambda) / 20.
    // det(K - lambda M) = 2 lambda^2 - 110 lambda + 1100.
    const double low = (110.0 - std::sqrt(110.0 * 110.0 - 8.0 * 1100.0)) / 4.0;
    EXPECT_NEAR(ModeShape[0][1], (30.0 - low) / 20.0, 1e-12);
    EXPECT_NEAR(ModeShape[0][1], 0.8431, 5e-5);
    EXPECT_NEAR(ModeShape[1][1], -0.5931, 5e-5);

    analyse({{3}, {2, 5}});
    EXPECT_EQ(ModeShape[0][0], 1.0);
    EXPECT_EQ(ModeMaxAmplitude[0], 1.0);
}

// Mode k of n equal masses: y_i = sin(i k pi / (n+1)) / sin(k pi / (n+1)), i = 1 ... n. Weak
// springs (0.4 N/m) make the reduced determinant of a fixed-end solve fall below any absolute
// threshold, and the high modes of 20 masses barely move the last mass.
TEST(ModeShapes, UniformChainsMatchTheAnalyticModes) {
    for (double spring : {1.0, 0.4, 0.002}) {
        for (int n = 1; n <= 20; ++n) {
            analyse(uniformChain(n, 1.0, spring));
            for (int k = 1; k <= n; ++k) {
                const double first = std::sin(k * Pi / (n + 1));
                double largest = 0.0;
                for (int i = 1; i <= n; ++i) {
                    largest = std::fmax(largest, std::fabs(std::sin(i * k * Pi / (n + 1)) / first));
                }
                EXPECT_EQ(ModeShape[k - 1][0], 1.0);
                for (int i = 1; i <= n; ++i) {
                    const double exact = std::sin(i * k * Pi / (n + 1)) / first;
                    ASSERT_NEAR(ModeShape[k - 1][i - 1], exact, 1e-9 * largest)
                        << "K " << spring << " n " << n << " mode " << k << " mass " << i;
                }
                EXPECT_NEAR(ModeMaxAmplitude[k - 1], largest, 1e-9 * largest);
            }
        }
    }
}

// Masses 19 and 18 of the highest mode of 20 masses, where the last mass barely moves.
TEST(ModeShapes, TwentyMassHighestModeToItsPrintedDigits) {
    analyse(uniformChain(20, 1.0, 1.0));
    EXPECT_NEAR(ModeShape[19][18], 1.9777, 5e-5);
    EXPECT_NEAR(ModeShape[19][17], -2.9111, 5e-5);
}

// An inner spring of 0: the halves vibrate alone. In the modes of the right half mass 1 rests, and
// the first mass that moves (mass 3) takes the reference amplitude 1.
TEST(ModeShapes, SplitChainModesMoveOneHalf) {
    analyse({{1, 1, 1, 1}, {1, 1, 0, 1, 1}});
    int leftModes = 0;
    int rightModes = 0;
    for (int k = 0; k < 4; ++k) {
        for (int i = 0; i < 4; ++i) {
            ASSERT_TRUE(std::isfinite(ModeShape[k][i]));
        }
        if (ModeShape[k][0] == 1.0) {
            ++leftModes;
            EXPECT_EQ(ModeShape[k][2], 0.0);
            EXPECT_EQ(ModeShape[k][3], 0.0);
        } else {
            ++rightModes;
            EXPECT_EQ(ModeShape[k][0], 0.0);
            EXPECT_FALSE(std::signbit(ModeShape[k][0]));
            EXPECT_EQ(ModeShape[k][1], 0.0);
            EXPECT_EQ(ModeShape[k][2], 1.0);
        }
        EXPECT_GE(ModeMaxAmplitude[k], 1.0);
    }
    EXPECT_EQ(leftModes, 2);
    EXPECT_EQ(rightModes, 2);
    // Equal roots keep the order of the halves. In the right half the first row gives
    // y4 / y3 = 1 - lambda, and its lower root is lambda = (3 - sqrt 5) / 2.
    EXPECT_NEAR(ModeShape[1][3], (std::sqrt(5.0) - 1.0) / 2.0, 1e-12);
}

TEST(ModeShapes, UnconnectedMassesEachMoveAlone) {
    analyse({{1, 2, 3}, {0, 0, 0, 0}});
    for (int k = 0; k < 3; ++k) {
        double sum = 0.0;
        for (int i = 0; i < 3; ++i) {
            sum += ModeShape[k][i];
            EXPECT_TRUE(ModeShape[k][i] == 0.0 || ModeShape[k][i] == 1.0);
        }
        EXPECT_EQ(sum, 1.0);
        EXPECT_EQ(ModeMaxAmplitude[k], 1.0);
    }
}

// ---------------------------------------------------------------------------------------------
// A reference in 1024-bit arithmetic (MPFR), independent of the program's method: each squared
// frequency by bisection on the Sturm count of K - lambda M, the mode by the forward recurrence
// from x1 = 1 down the chain. The recurrence amplifies rounding enormously on contrast chains,
// which three hundred digits absorb. Chains with a spring of 0 inside are left to the tests above.

class Big {
  public:
    Big() { mpfr_init2(v, Bits); }
    explicit Big(double d) : Big() { mpfr_set_d(v, d, MPFR_RNDN); }
    Big(const Big& o) : Big() { mpfr_set(v, o.v, MPFR_RNDN); }
    Big& operator=(const Big& o) {
        mpfr_set(v, o.v, MPFR_RNDN);
        return *this;
    }
    ~Big() { mpfr_clear(v); }
    friend Big operator+(const Big& a, const Big& b) { return apply(mpfr_add, a, b); }
    friend Big operator-(const Big& a, const Big& b) { return apply(mpfr_sub, a, b); }
    friend Big operator*(const Big& a, const Big& b) { return apply(mpfr_mul, a, b); }
    friend Big operator/(const Big& a, const Big& b) { return apply(mpfr_div, a, b); }
    bool negative() const { return mpfr_sgn(v) < 0; }
    double toDouble() const { return mpfr_get_d(v, MPFR_RNDN); }

  private:
    static constexpr mpfr_prec_t Bits = 1024;
    template <class Op> static Big apply(Op op, const Big& a, const Big& b) {
        Big r;
        op(r.v, a.v, b.v, MPFR_RNDN);
        return r;
    }
    mpfr_t v;
};

int sturmCount(const Chain& c, const Big& lambda) {
    const int n = static_cast<int>(c.masses.size());
    int negatives = 0;
    Big d(1.0);
    for (int i = 0; i < n; ++i) {
        Big diag = Big(c.springs[i]) + Big(c.springs[i + 1]) - lambda * Big(c.masses[i]);
        d = (i == 0) ? diag : diag - Big(c.springs[i]) * Big(c.springs[i]) / d;
        negatives += d.negative() ? 1 : 0;
    }
    return negatives;
}

Big referenceLambda(const Chain& c, int k) {
    double bound = 0.0;
    for (std::size_t i = 0; i < c.masses.size(); ++i) {
        bound = std::max(bound, 2.0 * (c.springs[i] + c.springs[i + 1]) / c.masses[i]);
    }
    Big lo(0.0);
    Big hi(2.0 * bound);
    for (int step = 0; step < 1100; ++step) {
        const Big mid = (lo + hi) * Big(0.5);
        (sturmCount(c, mid) > k ? hi : lo) = mid;
    }
    return lo;
}

std::vector<double> referenceMode(const Chain& c, const Big& lambda) {
    const int n = static_cast<int>(c.masses.size());
    std::vector<Big> x(n);
    x[0] = Big(1.0);
    for (int i = 0; i + 1 < n; ++i) {
        Big force = (Big(c.springs[i]) + Big(c.springs[i + 1]) - lambda * Big(c.masses[i])) * x[i];
        if (i > 0) {
            force = force - Big(c.springs[i]) * x[i - 1];
        }
        x[i + 1] = force / Big(c.springs[i + 1]);
    }
    std::vector<double> shape;
    for (const Big& v : x) {
        shape.push_back(v.toDouble());
    }
    return shape;
}

// A mass moving by less than this fraction of the largest amplitude is taken as resting.
constexpr double RestFraction = 1e-6;

// Every mode of the chain to the digits the dialogue prints (" %7.3f"), with the reference scaled
// by the same rule: mass 1 at 1, or the first mass that moves by more than RestFraction.
void expectPrintedModes(const Chain& chain) {
    analyse(chain);
    const int n = nfree;
    for (int k = 0; k < n; ++k) {
        SCOPED_TRACE("mode " + std::to_string(k + 1));
        std::vector<double> ref = referenceMode(chain, referenceLambda(chain, k));
        double largest = 0.0;
        for (double v : ref) {
            largest = std::max(largest, std::fabs(v));
        }
        std::size_t r = 0;
        while (std::fabs(ref[r]) <= RestFraction * largest) {
            ++r;
        }
        if (std::fabs(std::fabs(ref[r]) / largest / RestFraction - 1.0) < 1e-3) {
            continue; // on the edge of the rule: either mass may serve
        }
        const double scale = ref[r];
        for (double& v : ref) {
            v /= scale;
        }
        ASSERT_LE(ModeMaxAmplitude[k], 1.0 / RestFraction);
        for (int i = 0; i < n; ++i) {
            EXPECT_NEAR(ModeShape[k][i], ref[i], 5e-4 + 1e-9 * std::fabs(ref[i]))
                << "mass " << i + 1;
        }
    }
}

// Masses and springs nine decades apart along one chain; the heavy rows must not drown the light
// ones. Four masses give modes 3 and 4 as (1, 0, -0.618, 0) and (1, 0, 1.618, 0).
TEST(ModeShapes, StrongContrastsAgainstAHighPrecisionReference) {
    analyse({{0.001, 1e6, 0.001, 1e6}, {1, 1, 1, 1, 1}});
    EXPECT_NEAR(ModeShape[2][2], -0.618, 5e-4);
    EXPECT_NEAR(ModeShape[3][2], 1.618, 5e-4);
    for (const Chain& chain :
         std::vector<Chain>{{{0.001, 1e6, 0.001, 1e6}, {1, 1, 1, 1, 1}},
                            {{0.001, 1e6, 0.001, 1e6, 0.001}, {1, 1, 1, 1, 1, 1}},
                            {{1, 1, 1, 1, 1}, {1e-3, 1e6, 1e-3, 1e6, 1e-3, 1e6}},
                            {{1e6, 0.001, 0.001, 1e6}, {1e6, 1e-3, 1e6, 1e-3, 1e6}},
                            {{1, 1}, {1, 1e-100, 2}}, // mass 1 all but still in mode 2
                            uniformChain(20, 0.001, 1e6)}) {
        SCOPED_TRACE("chain of " + std::to_string(chain.masses.size()) + " masses, mass 1 " +
                     std::to_string(chain.masses[0]) + " kg");
        expectPrintedModes(chain);
    }
    unsigned long long seed = 77;
    const ChainRanges ranges = {1, 20, 0.001, 1e6, 1e-3, 1e6, 0.0};
    for (int trial = 0; trial < 100; ++trial) {
        SCOPED_TRACE("random contrast chain " + std::to_string(trial));
        expectPrintedModes(randomChain(&seed, ranges));
        if (HasFailure()) {
            return;
        }
    }
}

} // namespace
