// Makes the README's screenshot: the program in a virtual X server, fed an example dialogue,
// played forward with 's' and captured to a PNG file.
//   screenshot EXECUTABLE DIALOGUE_FILE FRAMES OUTPUT.png
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "process.h"
#include "x_session.h"

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: %s EXECUTABLE DIALOGUE_FILE FRAMES OUTPUT.png\n", argv[0]);
        return 2;
    }
    VirtualScreen screen;
    if (!screen.running()) {
        std::fprintf(stderr, "Xvfb did not start\n");
        return 1;
    }
    ProgramUnderTest program(argv[1], readFile(argv[2]), screen.name(),
                             {"-geometry", "800x800+0+0"});
    const Window window = screen.waitForWindow("DOF");
    if (window == 0) {
        std::fprintf(stderr, "no window appeared\n");
        return 1;
    }
    const int frames = std::atoi(argv[3]);
    for (int i = 0; i < frames; ++i) {
        screen.press(window, 's');
    }
    // Every key sent has been drawn once two pictures 300 ms apart agree.
    Picture picture = capture(screen.display(), window);
    for (int attempt = 0; attempt < 400; ++attempt) {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        Picture now = capture(screen.display(), window);
        if (now.pixels == picture.pixels) {
            break;
        }
        picture = std::move(now);
    }
    const bool written = writePng(picture, argv[4]);
    screen.press(window, 27);
    return written ? 0 : 1;
}
