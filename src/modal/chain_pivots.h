// The pivots of K - lambda M for a block of masses first ... first+count-1 of a chain (internal to
// the modal analysis), in the arithmetic the caller picks: double for
// ordinary chains, Extended or Quad where a double cannot resolve the chain. In double they are the
// very operations the analysis has always made, so ordinary chains keep their printed digits.
//
// Two forms give the same pivots in exact arithmetic. The diagonal's form takes
// d_i = (K_i + K_(i+1) - lambda m_i) - K_i^2 / d_(i-1). The forces' form never adds a soft spring
// to a stiff one: rho_i = f_i / x_i is the force of spring i per unit displacement of mass i
// (K_first at the wall), s_i = rho_i - lambda m_i what is left of it past mass i, d_i = K_(i+1) +
// s_i and rho_(i+1) = K_(i+1) s_i / d_i. Where adjacent springs are far apart (springsContrast) the
// diagonal's form loses the soft spring to rounding, and the forces' form is taken.
#pragma once

#include "modal/wide_arithmetic.h"
#include "model/records.h"

// The chain's spring constants (N/m) and masses (kg) in the arithmetic T: the chain's own arrays
// for double, copies converted once for the wider types.
template <class T> struct ChainIn {
    T K[MassCapacity];
    T m[MassCapacity];

    explicit ChainIn(const MassSpringChain& chain) {
        for (int i = 0; i < MassCapacity; ++i) {
            K[i] = chain.K[i];
            m[i] = chain.m[i];
        }
    }
};

template <> struct ChainIn<double> {
    const double* K;
    const double* m;

    explicit ChainIn(const MassSpringChain& chain) : K(chain.K), m(chain.m) {}
};

// The diagonal of K - lambda M in the assembly's order of operations.
template <class T> T diagonalOf(const ChainIn<T>& c, int i, T lambda) {
    return ((-c.m[i]) * lambda + c.K[i]) + c.K[i + 1];
}

template <class T> T largestCouplingSquared(const ChainIn<T>& c, int first, int count) {
    T largest = 0;
    for (int i = first + 1; i < first + count; ++i) {
        largest = larger(largest, c.K[i] * c.K[i]);
    }
    return largest;
}

// Sylvester's law of inertia: K - lambda M = L D L^T has as many negative pivots in D as the
// pencil (K, M) has eigenvalues below lambda, because M is positive definite. A pivot that
// vanishes is moved just below zero, as LAPACK's bisection does, so the count never divides by 0.
template <class T> struct RootCount {
    const ChainIn<T>& c;
    int first;
    int count;
    bool byForces;
    T pivmin;

    RootCount(const ChainIn<T>& chain, int first_, int count_, bool byForces_)
        : c(chain), first(first_), count(count_), byForces(byForces_),
          pivmin(Precision<T>::tiny * larger(T(1), largestCouplingSquared(chain, first_, count_))) {
    }

    // The number of squared natural frequencies of the block below lambda.
    int below(T lambda) const {
        const T* K = c.K;
        const T* m = c.m;
        int negatives = 0;
        T d = 1;
        T rho = K[first];
        for (int i = first; i < first + count; ++i) {
            const T s = rho - lambda * m[i];
            if (byForces) {
                d = K[i + 1] + s;
            } else {
                d = (i == first) ? diagonalOf(c, i, lambda)
                                 : diagonalOf(c, i, lambda) - K[i] * K[i] / d;
            }
            if (magnitude(d) < pivmin) {
                d = -pivmin;
            }
            if (d < 0) {
                ++negatives;
            }
            // s / d first: after a vanished pivot s is huge, and K s / (K + s) is then K, not
            // an overflow.
            rho = isInfinite(s) ? K[i + 1] : K[i + 1] * (s / d);
        }
        return negatives;
    }
};

// The twisted factorisation of a block's K - lambda M: pivots of L D L^T from the top (top[i]) and
// of U D U^T from the bottom (bottom[i]), and the twist pivot gamma of every mass, the residual in
// row i of the vector that holds mass i at 1.
template <class T> struct TwistedPivots {
    T top[MassCapacity];
    T bottom[MassCapacity];
    T gamma[MassCapacity];
};

// A pivot within rounding of zero is moved to the rounding level of the terms it was formed from,
// which disturbs the vector no more than the rounding of lambda itself does. The level is the
// pivot's own, not the block's: masses and springs may differ by nine decades along one chain, and
// a light row's true pivot lies far below the rounding of a heavy one.
template <class T> T guardedPivot(T pivot, T terms) {
    const T tiny = larger(Precision<T>::epsilon * terms, Precision<T>::tiny);
    if (magnitude(pivot) < tiny) {
        return pivot < 0 ? -tiny : tiny;
    }
    return pivot;
}

// In the diagonal's form every pivot is a difference of terms as large as the row's springs.
template <class T> T guardedInRow(const ChainIn<T>& c, T pivot, int i, T lambda) {
    return guardedPivot(pivot, magnitude(diagonalOf(c, i, lambda)) + c.K[i] + c.K[i + 1]);
}

template <class T>
void factorFromDiagonal(const ChainIn<T>& c, int first, int count, T lambda, TwistedPivots<T>* t) {
    const T* K = c.K;
    const int last = first + count - 1;
    t->top[first] = guardedInRow(c, diagonalOf(c, first, lambda), first, lambda);
    for (int i = first + 1; i <= last; ++i) {
        const T pivot = diagonalOf(c, i, lambda) - K[i] * K[i] / t->top[i - 1];
        t->top[i] = guardedInRow(c, pivot, i, lambda);
    }
    t->bottom[last] = guardedInRow(c, diagonalOf(c, last, lambda), last, lambda);
    for (int i = last - 1; i >= first; --i) {
        const T pivot = diagonalOf(c, i, lambda) - K[i + 1] * K[i + 1] / t->bottom[i + 1];
        t->bottom[i] = guardedInRow(c, pivot, i, lambda);
    }
    for (int i = first; i <= last; ++i) {
        T gamma = diagonalOf(c, i, lambda);
        if (i > first) {
            gamma -= K[i] * K[i] / t->top[i - 1];
        }
        if (i < last) {
            gamma -= K[i + 1] * K[i + 1] / t->bottom[i + 1];
        }
        t->gamma[i] = gamma;
    }
}

// Sweeping from the right mirrors the sweep from the left, and gamma_i = s_i + sigma_i. A pivot
// here never holds the spring on the far side of its mass, so its rounding level is that of the
// spring and the forces it adds up, however stiff the far spring is.
template <class T>
void factorFromForces(const ChainIn<T>& c, int first, int count, T lambda, TwistedPivots<T>* t) {
    const T* K = c.K;
    const T* m = c.m;
    const int last = first + count - 1;
    T left[MassCapacity]; // s_i
    T rho = K[first];
    for (int i = first; i <= last; ++i) {
        const T inertia = lambda * m[i];
        left[i] = rho - inertia;
        const T terms = K[i + 1] + magnitude(rho) + magnitude(inertia);
        t->top[i] = guardedPivot(K[i + 1] + left[i], terms);
        rho = K[i + 1] * (left[i] / t->top[i]);
    }
    T sigma = K[last + 1];
    for (int i = last; i >= first; --i) {
        t->gamma[i] = left[i] + sigma;
        const T inertia = lambda * m[i];
        const T right = sigma - inertia;
        const T terms = K[i] + magnitude(sigma) + magnitude(inertia);
        t->bottom[i] = guardedPivot(K[i] + right, terms);
        sigma = K[i] * (right / t->bottom[i]);
    }
}

template <class T>
void twistedFactorisation(const ChainIn<T>& c, int first, int count, T lambda, bool byForces,
                          TwistedPivots<T>* t) {
    if (byForces) {
        factorFromForces(c, first, count, lambda, t);
    } else {
        factorFromDiagonal(c, first, count, lambda, t);
    }
}

// The twist pivot gamma_r divided by m_r is the residual of the symmetric problem
// M^-1/2 K M^-1/2 - lambda I for the vector held at mass r: the mass with the smallest one is where
// the mode is least constrained, whatever the masses are.
template <class T>
int bestTwist(const ChainIn<T>& c, int first, int count, const TwistedPivots<T>& t) {
    int twist = first;
    T smallest = Precision<T>::huge;
    for (int i = first; i < first + count; ++i) {
        const T residual = magnitude(t.gamma[i]) / c.m[i];
        if (residual < smallest) {
            smallest = residual;
            twist = i;
        }
    }
    return twist;
}

// The null vector of the block's K - lambda M with mass `twist` held at 1: every other amplitude
// follows as a product of ratios outward from it, so its precision does not rest on any one mass
// moving much, as a solve with a fixed end mass would.
template <class T>
void twistedVector(const ChainIn<T>& c, int first, int count, const TwistedPivots<T>& t, int twist,
                   T* x) {
    x[twist] = 1;
    for (int i = twist - 1; i >= first; --i) {
        x[i] = c.K[i + 1] / t.top[i] * x[i + 1];
    }
    for (int i = twist + 1; i < first + count; ++i) {
        x[i] = c.K[i] / t.bottom[i] * x[i - 1];
    }
}
