// The tests' one source of random numbers: a 64-bit linear congruential generator, so that every
// run draws the same numbers.
#pragma once

// A number in [0, 1).
inline double uniform01(unsigned long long* seed) {
    *seed = *seed * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<double>(*seed >> 11) / 9007199254740992.0;
}
