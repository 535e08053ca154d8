// Arithmetic wider than double, for the chains that a double cannot resolve (internal to the modal
// analysis). Two kinds of chain need it:
//   - spring constants that span the whole range of a double (1e-300 N/m beside 1e6 N/m): the
//     squares and products that the pivots take would underflow;
//   - natural frequencies closer together than a double can tell apart (a nearly cut spring
//     between two equal halves): their mode shapes rest on digits beyond a double's.
#pragma once

#include <cfloat>
#include <cmath>

// 64 significant bits and an exponent range to 1e+-4932 in the x87 hardware of x86 (IEEE
// quadruple, in software, in WebAssembly): fast enough for every count of a search, and wide
// enough that no product of the chain's constants comes near underflow.
using Extended = long double;
static_assert(LDBL_MAX_EXP >= 4 * DBL_MAX_EXP, "long double must have a wider exponent range");

// IEEE quadruple: 113 significant bits, for the frequencies a double cannot tell apart.
#if LDBL_MANT_DIG >= 113
using Quad = long double;
#else
__extension__ typedef __float128 Quad;
#endif

template <class T> constexpr T powerOfTwo(int exponent) {
    T value = 1;
    for (; exponent < 0; ++exponent) {
        value *= 0.5;
    }
    for (; exponent > 0; --exponent) {
        value *= 2.0;
    }
    return value;
}

// The spacing of 1 and the next number up, the smallest normal number and the largest finite one.
template <class T> struct Precision;

template <> struct Precision<double> {
    static constexpr double epsilon = DBL_EPSILON;
    static constexpr double tiny = DBL_MIN;
    static constexpr double huge = DBL_MAX;
};

template <> struct Precision<long double> {
    static constexpr long double epsilon = LDBL_EPSILON;
    static constexpr long double tiny = LDBL_MIN;
    static constexpr long double huge = LDBL_MAX;
};

#if LDBL_MANT_DIG < 113
template <> struct Precision<Quad> {
    static constexpr Quad epsilon = powerOfTwo<Quad>(-112);
    static constexpr Quad tiny = powerOfTwo<Quad>(-16382);
    static constexpr Quad huge = powerOfTwo<Quad>(16383) * (2.0 - powerOfTwo<Quad>(-112));
};
#endif

template <class T> T magnitude(T x) {
    return x < 0 ? -x : x;
}

template <class T> T larger(T a, T b) {
    return a < b ? b : a;
}

template <class T> bool isInfinite(T x) {
    return x > Precision<T>::huge || x < -Precision<T>::huge;
}

// The square root of a non-negative x: Extended's root (its exponent range is Quad's), then
// Newton's steps, each of which doubles the correct bits.
template <class T> T squareRoot(T x) {
    if (!(x > 0)) {
        return 0;
    }
    T root = std::sqrt(static_cast<Extended>(x));
    for (int step = 0; step < 2; ++step) {
        root = 0.5 * (root + x / root);
    }
    return root;
}
