// Makes the README's screenshot: the program in a virtual X server, fed an example dialogue,
// played forward with 's' and captured to a PNG file once every key has been drawn.
//   screenshot DIALOGUE_FILE FRAMES OUTPUT.png
#include <cstdio>
#include <cstdlib>

#include "window_fixture.h"

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s DIALOGUE_FILE FRAMES OUTPUT.png\n", argv[0]);
        return 2;
    }
    RunningProgram run(readFile(argv[1]));
    if (!run.started()) {
        std::fprintf(stderr, "the window did not appear\n");
        return 1;
    }
    run.pressTimes('s', std::atoi(argv[2]));
    const bool written = writePng(run.drawn(), argv[3]);
    run.press(27);
    return written ? 0 : 1;
}
