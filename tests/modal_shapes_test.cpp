// Mode shapes: worked examples, the analytic modes of the uniform chain, and chains where mass 1
// rests in some modes.
#include <gtest/gtest.h>
#include <mpfr.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "chain_fixture.h"
#include "modal/chain_spectrum.h"
#include "modal/modal.h"
#include "model/simulation_state.h"

using SimulationState::Entries;

namespace {

const double Pi = std::acos(-1.0);

void analyse(const Chain& chain) {
    loadChain(chain);
    SearchNaturalFrequencies();
    ComputeModeShapes();
}

TEST(ModeShapes, WorkedExamples) {
    analyse({{1, 1}, {1, 1, 1}});
    EXPECT_EQ(Entries.modes.ModeShape[0][0], 1.0);
    EXPECT_NEAR(Entries.modes.ModeShape[0][1], 1.0, 1e-12);
    EXPECT_NEAR(Entries.modes.ModeShape[1][1], -1.0, 1e-12);
    EXPECT_EQ(Entries.modes.ModeMaxAmplitude[0], 1.0);
    EXPECT_NEAR(Entries.modes.ModeMaxAmplitude[1], 1.0, 1e-12);

    analyse({{1, 2}, {10, 20, 30}});
    // (K - lambda M) y = 0, first row: y2 = (30 - lambda) / 20.
    // det(K - lambda M) = 2 lambda^2 - 110 lambda + 1100.
    const double low = (110.0 - std::sqrt(110.0 * 110.0 - 8.0 * 1100.0)) / 4.0;
    EXPECT_NEAR(Entries.modes.ModeShape[0][1], (30.0 - low) / 20.0, 1e-12);
    EXPECT_NEAR(Entries.modes.ModeShape[0][1], 0.8431, 5e-5);
    EXPECT_NEAR(Entries.modes.ModeShape[1][1], -0.5931, 5e-5);

    analyse({{3}, {2, 5}});
    EXPECT_EQ(Entries.modes.ModeShape[0][0], 1.0);
    EXPECT_EQ(Entries.modes.ModeMaxAmplitude[0], 1.0);
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
                EXPECT_EQ(Entries.modes.ModeShape[k - 1][0], 1.0);
                for (int i = 1; i <= n; ++i) {
                    const double exact = std::sin(i * k * Pi / (n + 1)) / first;
                    ASSERT_NEAR(Entries.modes.ModeShape[k - 1][i - 1], exact, 1e-9 * largest)
                        << "K " << spring << " n " << n << " mode " << k << " mass " << i;
                }
                EXPECT_NEAR(Entries.modes.ModeMaxAmplitude[k - 1], largest, 1e-9 * largest);
            }
        }
    }
}

// Masses 19 and 18 of the highest mode of 20 masses, where the last mass barely moves.
TEST(ModeShapes, TwentyMassHighestModeToItsPrintedDigits) {
    analyse(uniformChain(20, 1.0, 1.0));
    EXPECT_NEAR(Entries.modes.ModeShape[19][18], 1.9777, 5e-5);
    EXPECT_NEAR(Entries.modes.ModeShape[19][17], -2.9111, 5e-5);
}

// An inner spring of 0: the halves vibrate alone. In the modes of the right half mass 1 rests, and
// the first mass that moves (mass 3) takes the reference amplitude 1.
TEST(ModeShapes, SplitChainModesMoveOneHalf) {
    analyse({{1, 1, 1, 1}, {1, 1, 0, 1, 1}});
    int leftModes = 0;
    int rightModes = 0;
    for (int k = 0; k < 4; ++k) {
        for (int i = 0; i < 4; ++i) {
            ASSERT_TRUE(std::isfinite(Entries.modes.ModeShape[k][i]));
        }
        if (Entries.modes.ModeShape[k][0] == 1.0) {
            ++leftModes;
            EXPECT_EQ(Entries.modes.ModeShape[k][2], 0.0);
            EXPECT_EQ(Entries.modes.ModeShape[k][3], 0.0);
        } else {
            ++rightModes;
            EXPECT_EQ(Entries.modes.ModeShape[k][0], 0.0);
            EXPECT_FALSE(std::signbit(Entries.modes.ModeShape[k][0]));
            EXPECT_EQ(Entries.modes.ModeShape[k][1], 0.0);
            EXPECT_EQ(Entries.modes.ModeShape[k][2], 1.0);
        }
        EXPECT_GE(Entries.modes.ModeMaxAmplitude[k], 1.0);
    }
    EXPECT_EQ(leftModes, 2);
    EXPECT_EQ(rightModes, 2);
    // Equal roots keep the order of the halves. In the right half the first row gives
    // y4 / y3 = 1 - lambda, and its lower root is lambda = (3 - sqrt 5) / 2.
    EXPECT_NEAR(Entries.modes.ModeShape[1][3], (std::sqrt(5.0) - 1.0) / 2.0, 1e-12);
}

TEST(ModeShapes, UnconnectedMassesEachMoveAlone) {
    analyse({{1, 2, 3}, {0, 0, 0, 0}});
    for (int k = 0; k < 3; ++k) {
        double sum = 0.0;
        for (int i = 0; i < 3; ++i) {
            sum += Entries.modes.ModeShape[k][i];
            EXPECT_TRUE(Entries.modes.ModeShape[k][i] == 0.0 ||
                        Entries.modes.ModeShape[k][i] == 1.0);
        }
        EXPECT_EQ(sum, 1.0);
        EXPECT_EQ(Entries.modes.ModeMaxAmplitude[k], 1.0);
    }
}

// ---------------------------------------------------------------------------------------------
// A reference in 1024-bit arithmetic (MPFR), independent of the program's method and precision:
// each squared frequency by bisection on the Sturm count of K - lambda M (first its binade, then
// 240 halvings, 72 digits), the mode as the null vector held at the mass with the smallest pivot
// residual, as in inverse iteration. Three hundred digits absorb every cancellation that springs
// of 1e-300 N/m beside 1e6 N/m cause. Chains with a spring of 0 inside are left to the tests above.

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
    static Big powerOfTwo(long exponent) {
        Big r(1.0);
        mpfr_mul_2si(r.v, r.v, exponent, MPFR_RNDN);
        return r;
    }
    friend Big operator+(const Big& a, const Big& b) { return apply(mpfr_add, a, b); }
    friend Big operator-(const Big& a, const Big& b) { return apply(mpfr_sub, a, b); }
    friend Big operator*(const Big& a, const Big& b) { return apply(mpfr_mul, a, b); }
    friend Big operator/(const Big& a, const Big& b) { return apply(mpfr_div, a, b); }
    bool negative() const { return mpfr_sgn(v) < 0; }
    bool zero() const { return mpfr_zero_p(v) != 0; }
    Big magnitude() const {
        Big r;
        mpfr_abs(r.v, v, MPFR_RNDN);
        return r;
    }
    bool operator<(const Big& o) const { return mpfr_less_p(v, o.v) != 0; }
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

Big diagonalAt(const Chain& c, int i, const Big& lambda) {
    return Big(c.springs[i]) + Big(c.springs[i + 1]) - lambda * Big(c.masses[i]);
}

// A pivot of exactly 0 stands for one just below it.
Big nonZero(const Big& pivot) {
    return pivot.zero() ? Big(0.0) - Big::powerOfTwo(-3000) : pivot;
}

int sturmCount(const Chain& c, const Big& lambda) {
    const int n = static_cast<int>(c.masses.size());
    int negatives = 0;
    Big d(1.0);
    for (int i = 0; i < n; ++i) {
        const Big k(c.springs[i]);
        d = nonZero(i == 0 ? diagonalAt(c, i, lambda) : diagonalAt(c, i, lambda) - k * k / d);
        negatives += d.negative() ? 1 : 0;
    }
    return negatives;
}

Big referenceLambda(const Chain& c, int k) {
    long lo = -1200;
    long hi = 64;
    if (sturmCount(c, Big::powerOfTwo(lo)) > k) {
        return Big(0.0);
    }
    while (hi - lo > 1) {
        const long mid = (lo + hi) / 2;
        (sturmCount(c, Big::powerOfTwo(mid)) > k ? hi : lo) = mid;
    }
    Big low = Big::powerOfTwo(lo);
    Big high = Big::powerOfTwo(hi);
    for (int step = 0; step < 240; ++step) {
        const Big mid = (low + high) * Big(0.5);
        (sturmCount(c, mid) > k ? high : low) = mid;
    }
    return low;
}

// The mode relative to its largest amplitude.
std::vector<double> referenceMode(const Chain& c, const Big& lambda) {
    const int n = static_cast<int>(c.masses.size());
    std::vector<Big> top(n), bottom(n), x(n);
    for (int i = 0; i < n; ++i) {
        const Big k(c.springs[i]);
        top[i] = nonZero(i == 0 ? diagonalAt(c, i, lambda)
                                : diagonalAt(c, i, lambda) - k * k / top[i - 1]);
    }
    for (int i = n - 1; i >= 0; --i) {
        const Big k(c.springs[i + 1]);
        bottom[i] = nonZero(i == n - 1 ? diagonalAt(c, i, lambda)
                                       : diagonalAt(c, i, lambda) - k * k / bottom[i + 1]);
    }
    int twist = 0;
    Big smallest;
    for (int i = 0; i < n; ++i) {
        // gamma_i = top_i + bottom_i - diagonal_i, per kg.
        const Big gamma = ((top[i] + bottom[i] - diagonalAt(c, i, lambda)) / Big(c.masses[i]));
        if (i == 0 || gamma.magnitude() < smallest) {
            smallest = gamma.magnitude();
            twist = i;
        }
    }
    x[twist] = Big(1.0);
    for (int i = twist - 1; i >= 0; --i) {
        x[i] = Big(c.springs[i + 1]) / top[i] * x[i + 1];
    }
    for (int i = twist + 1; i < n; ++i) {
        x[i] = Big(c.springs[i]) / bottom[i] * x[i - 1];
    }
    Big largest(0.0);
    for (const Big& v : x) {
        largest = largest < v.magnitude() ? v.magnitude() : largest;
    }
    std::vector<double> shape;
    for (const Big& v : x) {
        shape.push_back((v / largest).toDouble());
    }
    return shape;
}

// The gap (relative) between squared frequency k and its nearest neighbour.
double relativeGap(const std::vector<Big>& lambda, int k) {
    double gap = INFINITY;
    for (int j : {k - 1, k + 1}) {
        if (j >= 0 && j < static_cast<int>(lambda.size()) && !lambda[k].zero()) {
            gap = std::min(gap, ((lambda[j] - lambda[k]).magnitude() / lambda[k]).toDouble());
        }
    }
    return gap;
}

// A mass moving by less than this fraction of the largest amplitude is taken as resting.
constexpr double RestFraction = 1e-6;

// Frequencies closer than this (relative) are beyond the program's promise of printed digits: no
// arithmetic it uses tells them apart, and only mass-orthogonality is asked of their modes.
constexpr double ResolvedGap = 1e-30;

// Quad's rounding (1e-34) over the relative gap to the nearest frequency bounds how far two close
// modes can mix; a mode scaled to a reference mass that barely moves magnifies that mixing in its
// large amplitudes.
double mixingBound(double gap) {
    return 1e-34 / gap;
}

// Every mode of the chain to the digits the dialogue prints (" %7.3f"), with the reference scaled
// by the same rule: mass 1 at 1, or the first mass that moves by more than RestFraction.
void expectPrintedModes(const Chain& chain) {
    analyse(chain);
    const int n = Entries.chain.nfree;
    std::vector<Big> lambda;
    for (int k = 0; k < n; ++k) {
        lambda.push_back(referenceLambda(chain, k));
    }
    for (int k = 0; k < n; ++k) {
        SCOPED_TRACE("mode " + std::to_string(k + 1));
        ASSERT_LE(Entries.modes.ModeMaxAmplitude[k], 1.0 / RestFraction);
        const double gap = relativeGap(lambda, k);
        if (gap < ResolvedGap) {
            continue;
        }
        std::vector<double> ref = referenceMode(chain, lambda[k]);
        std::size_t r = 0;
        while (std::fabs(ref[r]) <= RestFraction) {
            ++r;
        }
        if (std::fabs(std::fabs(ref[r]) / RestFraction - 1.0) < 1e-3) {
            continue; // on the edge of the rule: either mass may serve
        }
        const double scale = ref[r];
        for (double& v : ref) {
            v /= scale;
        }
        for (int i = 0; i < n; ++i) {
            EXPECT_NEAR(Entries.modes.ModeShape[k][i], ref[i],
                        5e-4 + (1e-9 + mixingBound(gap)) * std::fabs(ref[i]))
                << "mass " << i + 1 << ", frequencies " << gap << " apart";
        }
    }
}

// x_i^T M x_j = 0 for every two modes, however close their frequencies, to the rounding of the
// arithmetic that formed them (each mode taken relative to its largest amplitude).
void expectMassOrthogonal() {
    for (int a = 0; a < Entries.chain.nfree; ++a) {
        for (int b = a + 1; b < Entries.chain.nfree; ++b) {
            long double dot = 0.0L;
            long double na = 0.0L;
            long double nb = 0.0L;
            for (int i = 0; i < Entries.chain.nfree; ++i) {
                const long double xa =
                    Entries.modes.ModeShape[a][i] / Entries.modes.ModeMaxAmplitude[a];
                const long double xb =
                    Entries.modes.ModeShape[b][i] / Entries.modes.ModeMaxAmplitude[b];
                dot += Entries.chain.m[i] * xa * xb;
                na += Entries.chain.m[i] * xa * xa;
                nb += Entries.chain.m[i] * xb * xb;
            }
            EXPECT_LE(std::fabs(static_cast<double>(dot / std::sqrt(na * nb))), 1e-9)
                << "modes " << a + 1 << " and " << b + 1;
        }
    }
}

// Masses and springs nine decades apart along one chain; the heavy rows must not drown the light
// ones. Four masses give modes 3 and 4 as (1, 0, -0.618, 0) and (1, 0, 1.618, 0).
TEST(ModeShapes, StrongContrastsAgainstAHighPrecisionReference) {
    analyse({{0.001, 1e6, 0.001, 1e6}, {1, 1, 1, 1, 1}});
    EXPECT_NEAR(Entries.modes.ModeShape[2][2], -0.618, 5e-4);
    EXPECT_NEAR(Entries.modes.ModeShape[3][2], 1.618, 5e-4);
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

// The frequencies the shapes are formed at, which the report's record holds, to a double's
// precision for the chains a class types: the examples, uniform chains, random ones of masses and
// springs three decades apart.
TEST(ModeShapes, PolishedFrequenciesAgainstAHighPrecisionReference) {
    std::vector<Chain> chains = {{{1, 1, 1}, {100, 100, 100, 100}},
                                 {{1, 2}, {10, 20, 30}},
                                 {{1, 1, 1, 1, 1, 1}, {4, 4, 4, 4, 4, 4, 4}}};
    for (int n = 1; n <= 20; ++n) {
        chains.push_back(uniformChain(n, 1.0, 1.0));
    }
    unsigned long long seed = 2026;
    const ChainRanges ranges = {1, 20, 0.1, 100, 1, 1000, 0.0};
    for (int trial = 0; trial < 40; ++trial) {
        chains.push_back(randomChain(&seed, ranges));
    }
    for (const Chain& chain : chains) {
        analyse(chain);
        for (int k = 0; k < Entries.chain.nfree; ++k) {
            const double omega = std::sqrt(referenceLambda(chain, k).toDouble());
            EXPECT_NEAR(Entries.modes.PolishedOmega[k], omega, 1e-13 * omega)
                << "mode " << k + 1 << " of " << Entries.chain.nfree << ", mass 1 "
                << chain.masses[0] << " kg";
        }
    }
}

// Mode k to its printed digits; a mass at rest may print as -0.000 as well as 0.000.
void expectMode(int k, const std::vector<double>& printed) {
    for (int i = 0; i < Entries.chain.nfree; ++i) {
        EXPECT_NEAR(Entries.modes.ModeShape[k][i], printed[i], 5e-4)
            << "mode " << k + 1 << ", mass " << i + 1;
    }
}

// Two halves that a nearly cut spring joins, or a heavy mass that all but holds two light ones
// still: one frequency splits in two that a double cannot tell apart. Their modes are the halves
// moving against each other and together, so a start from either moves the masses it should.
TEST(ModeShapes, EqualFrequenciesGiveTheirOwnModes) {
    analyse({{0.001, 1e6, 0.001}, {1e6, 1e-3, 1e-3, 1e6}});
    expectMode(1, {1, 0, -1});
    expectMode(2, {1, 0, 1});
    analyse({{1, 1, 1}, {1, 1e-9, 1e-9, 1}});
    expectMode(1, {1, 0, -1});
    expectMode(2, {1, 0, 1});
    analyse({{1, 1}, {1, 1e-15, 1}});
    expectMode(0, {1, 1});
    expectMode(1, {1, -1});
    // Springs whose squares underflow a double.
    analyse({{1e6, 1e6}, {1e-200, 1e-200, 1e-200}});
    expectMode(0, {1, 1});
    expectMode(1, {1, -1});
}

// Two copies of a random piece of chain (the second mirrored or not, one end spring perturbed by
// up to 1e-30 of itself) joined by a spring of 1e-1 ... 1e-300 N/m; heavy masses that hold light
// ones apart; and random chains whose springs span 1e-300 ... 1e6 N/m.
TEST(ModeShapes, CloseFrequenciesAgainstAHighPrecisionReference) {
    unsigned long long seed = 20261207;
    const auto uniform = [&seed] { return uniform01(&seed); };
    for (int trial = 0; trial < 40; ++trial) {
        const int half = 1 + static_cast<int>(uniform() * 4);
        const Chain piece = randomChain(&seed, {half, half, 1e-3, 1e6, 1e-3, 1e6, 0.0});
        Chain chain = piece;
        chain.springs.back() = std::pow(10.0, -1.0 - 299.0 * uniform());
        const bool mirrored = uniform() < 0.5;
        for (int i = 0; i < half; ++i) {
            chain.masses.push_back(piece.masses[mirrored ? half - 1 - i : i]);
            chain.springs.push_back(piece.springs[mirrored ? half - 1 - i : i + 1]);
        }
        if (uniform() < 0.5) {
            chain.springs[0] *= 1.0 + std::pow(10.0, -1.0 - 29.0 * uniform());
        }
        SCOPED_TRACE("two halves, trial " + std::to_string(trial));
        expectPrintedModes(chain);
        expectMassOrthogonal();
    }
    for (double link : {1e-3, 1e-20, 1e-150, 1e-300}) {
        SCOPED_TRACE("heavy masses, link " + std::to_string(link));
        expectPrintedModes({{0.001, 1e6, 0.001, 1e6, 0.001}, {1e6, link, link, link, link, 1e6}});
        expectMassOrthogonal();
    }
    for (int trial = 0; trial < 30; ++trial) {
        SCOPED_TRACE("springs of 1e-300 ... 1e6 N/m, trial " + std::to_string(trial));
        expectPrintedModes(randomChain(&seed, {1, 20, 1e-3, 1e6, 1e-300, 1e6, 0.0}));
        expectMassOrthogonal();
    }
}

// Ten copies of one piece of chain joined by springs of 1e-10 ... 1e-300 N/m: ten modes share a
// frequency to any precision, and their modes are still mass-orthogonal.
TEST(ModeShapes, ModesOfCoincidentFrequenciesAreMassOrthogonal) {
    unsigned long long seed = 11;
    for (int trial = 0; trial < 10; ++trial) {
        const int length = 2 + trial % 3;
        const Chain piece = randomChain(&seed, {length, length, 1e-3, 1e6, 1e-3, 1e6, 0.0});
        Chain chain;
        for (int copy = 0; copy < 20 / length; ++copy) {
            for (int i = 0; i < length; ++i) {
                chain.masses.push_back(piece.masses[i]);
                const double link = std::pow(10.0, -10.0 - 290.0 * uniform01(&seed));
                chain.springs.push_back(copy > 0 && i == 0 ? link : piece.springs[i]);
            }
        }
        chain.springs.push_back(piece.springs[length]);
        SCOPED_TRACE("trial " + std::to_string(trial));
        analyse(chain);
        for (int k = 0; k < Entries.chain.nfree; ++k) {
            for (int i = 0; i < Entries.chain.nfree; ++i) {
                ASSERT_TRUE(std::isfinite(Entries.modes.ModeShape[k][i]));
            }
        }
        expectMassOrthogonal();
    }
}

} // namespace
