// Play measured from outside: the real program under Xvfb, space pressed, and the frames it swaps
// to the screen counted over ten seconds of wall time (the window probe reports them). Two chains:
// three 1 kg masses on 100 N/m springs, and the stiffest chain the dialogue takes, twenty 1 g
// masses on 1e6 N/m springs. Play aims at 25 frames per second.
#include <chrono>
#include <cstdio>
#include <string>

#include "window_fixture.h"

namespace {

constexpr double MeasuredSeconds = 10.0;

bool measure(const char* name, const std::string& dialogue) {
    using Clock = std::chrono::steady_clock;
    RunningProgram run(dialogue);
    if (!run.started()) {
        std::fprintf(stderr, "%s: the window did not appear\n", name);
        return false;
    }
    run.press(' ');
    run.drawn();
    run.waitForFrames(run.frames() + 5);
    const long first = run.frames();
    const Clock::time_point start = Clock::now();
    while (Clock::now() - start < std::chrono::duration<double>(MeasuredSeconds)) {
        run.waitForFrames(run.frames() + 1, 1.0);
    }
    const long last = run.frames();
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    std::printf("%-40s %6.2f frames per second (%ld frames in %.2f s)\n", name,
                (last - first) / seconds, last - first, seconds);
    run.press(27);
    return true;
}

} // namespace

int main() {
    const bool uniform = measure("play, 3 masses on 100 N/m", uniformDialogue(3, 1.0, 100.0));
    const bool stiff =
        measure("play, 20 x 1 g on 1e6 N/m (stiffest)", uniformDialogue(20, 0.001, 1e6));
    return uniform && stiff ? 0 : 1;
}
