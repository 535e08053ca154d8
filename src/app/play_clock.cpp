#include "app/play_clock.h"

#include <algorithm>
#include <cmath>

#include "integration/integration.h"

namespace {

// A stall longer than this many frames (a suspended machine, a debugger) restarts the clock
// instead of replaying it all at once.
constexpr int MaxCatchUpFrames = 25;

bool Playing = false;
int Generation = 0; // tells a pending tick of an earlier play apart
double Start = 0.0; // s, wall time of the play's frame 0
long Advanced = 0;  // frames advanced since Start

void restartClock(double now) {
    Start = now;
    Advanced = 0;
}

// Frames whose time has come and that have not been advanced yet.
int framesDue(double now) {
    const long due = static_cast<long>(std::floor((now - Start) / SecondsPerFrame));
    return static_cast<int>(std::max(0L, due - Advanced));
}

} // namespace

void startPlay(double now) {
    Playing = true;
    ++Generation;
    restartClock(now);
}

void stopPlay() {
    Playing = false;
    ++Generation;
}

bool playing() {
    return Playing;
}

int playGeneration() {
    return Generation;
}

int msToNextFrame(double now) {
    const double wait = (Advanced + 1) * SecondsPerFrame - (now - Start);
    return std::max(1, static_cast<int>(std::ceil(wait * 1000.0)));
}

PlayTick playTick(int generation, double now) {
    if (!Playing || generation != Generation) {
        return {false, 0, 0};
    }
    int due = framesDue(now);
    if (due > MaxCatchUpFrames) {
        restartClock(now);
        due = 1;
    }
    Advanced += due;
    return {true, due, msToNextFrame(now)};
}
