// The march of the frequency search over lambda = omega^2 (internal to the modal analysis, and
// open to its tests): its points from 0.001 upward, each the sum of the one before and the step,
// rounded as the march adds them.
#pragma once

// Lays out the points up to the first one above `ceiling` (1/s^2) and returns that point's index.
long long buildMarchPoints(double ceiling);

// The point of an index up to the last one laid out.
double marchPoint(long long index);

// The first index in (lo, hi] at which `above` holds, for a property that holds from some index on
// and holds at hi.
template <class Above> long long firstIndexAbove(long long lo, long long hi, Above above) {
    while (hi - lo > 1) {
        const long long mid = lo + (hi - lo) / 2;
        if (above(mid)) {
            hi = mid;
        } else {
            lo = mid;
        }
    }
    return hi;
}
