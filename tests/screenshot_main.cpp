// Makes the README's screenshots: the program in a virtual X server, fed an example dialogue,
// played forward with 's', then given the keys (if any), and captured to a PNG file once every
// key has been drawn. The window is 800 x 800 unless a size is given.
//   screenshot [-geometry WxH] DIALOGUE_FILE FRAMES OUTPUT.png [KEYS]
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "window_fixture.h"

int main(int argc, char** argv) {
    std::string size = "800x800";
    if (argc > 2 && std::strcmp(argv[1], "-geometry") == 0) {
        size = argv[2];
        argc -= 2;
        argv += 2;
    }
    if (argc != 4 && argc != 5) {
        std::fprintf(stderr, "usage: %s [-geometry WxH] DIALOGUE_FILE FRAMES OUTPUT.png [KEYS]\n",
                     argv[0]);
        return 2;
    }
    RunningProgram run(readFile(argv[1]), {"-geometry", size + "+0+0"});
    if (!run.started()) {
        std::fprintf(stderr, "the window did not appear\n");
        return 1;
    }
    run.pressTimes('s', std::atoi(argv[2]));
    for (const char* key = argc == 5 ? argv[4] : ""; *key != '\0'; ++key) {
        run.press(*key);
    }
    const bool written = writePng(run.drawn(), argv[3]);
    run.press(27);
    return written ? 0 : 1;
}
