// The program running in a virtual X server with its window at the top left of the screen, and
// what a test reads off the window's pixels. The window is 800 x 800 pixels, so one window unit
// is 400 pixels and window point (x, y) lies at pixel column (x + 1) * 400, row (1 - y) * 400.
//
// The program runs with the window probe preloaded, which tells how many keys its keyboard
// callback has finished and how many frames it has swapped; a test waits for those counts, never
// for the picture to look still.
#pragma once

#include <string>
#include <vector>

#include "process.h"
#include "x_session.h"

constexpr int WindowPixels = 800;

double columnOf(double x);
double rowOf(double y);

// The middle row of the disc of the given colour that crosses `column`, found as the longest run
// of that colour down the column (bridging the 2-pixel chart axis); false when there is none.
bool discCentreRow(const Picture& picture, int column, Rgb colour, double* row);

// The rightmost column of the chart left of x = 0 that holds the given colour; -1 if none.
int chartEnd(const Picture& picture, Rgb colour);

// True when some pixel of the colour lies in `column` within `slack` rows of `row`.
bool colourNear(const Picture& picture, int column, double row, Rgb colour, int slack);

// The first answers of a dialogue: n equal masses on n+1 equal springs.
std::string uniformChain(int n, double mass, double spring);

// The dialogue of n equal masses on n+1 equal springs, mass 1 released from 0.1 m, all curves
// drawn.
std::string uniformDialogue(int n, double mass, double spring);

// What the program has done, as the probe last published it.
struct ProbeCounts {
    long keys = -1;   // keys whose keyboard callback has returned
    long frames = -1; // frames swapped to the screen
    long ticks = -1;  // ticks of the play timer run
};

// Waits are generous: a sanitizer build on a machine whose cores are busy with other work draws a
// frame in tens of milliseconds, not one.
constexpr double PatientSeconds = 120.0;

class RunningProgram {
  public:
    // Starts the program with the dialogue on its standard input (and the window placed at the
    // top left unless other arguments are given), waits for the dialogue's end, the window and its
    // first frame. With `terminal`, a pseudo-terminal is the program's controlling terminal.
    explicit RunningProgram(
        const std::string& dialogue,
        const std::vector<std::string>& args = {"-geometry", "800x800+0+0"},
        const std::vector<std::pair<std::string, std::string>>& environment = {},
        bool terminal = false);
    bool started() const { return started_; }
    Picture shot() const;

    // Presses a key in the window; drawn() then waits until the program has handled it.
    void press(char key);
    void pressTimes(char key, int times);
    // Presses a key that the program is meant to drop unhandled; drawn() does not wait for it.
    void pressUnhandled(char key) const;

    // Waits until the keyboard callback has returned for every key pressed so far (and with it
    // every frame those keys drew is in the X server), then captures the window.
    Picture drawn(double seconds = PatientSeconds);
    // Waits until at least `frames` frames have been swapped (`ticks` play ticks run); false
    // after the timeout.
    bool waitForFrames(long frames, double seconds = PatientSeconds) const;
    bool waitForTicks(long ticks, double seconds = PatientSeconds) const;
    ProbeCounts counts() const;
    long frames() const { return counts().frames; }

    ProgramUnderTest& program() { return program_; }
    VirtualScreen& screen() { return screen_; }
    Window window() const { return window_; }

  private:
    VirtualScreen screen_;
    ProgramUnderTest program_;
    Window window_ = 0;
    bool started_ = false;
    long keysPressed_ = 0;
};

extern const Rgb Red;
extern const Rgb Green;
extern const Rgb Blue;
extern const Rgb White;
extern const Rgb Black;
