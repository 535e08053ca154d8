// The program running in a virtual X server with its window at the top left of the screen, and
// what a test reads off the window's pixels. The window is 800 x 800 pixels, so one window unit
// is 400 pixels and window point (x, y) lies at pixel column (x + 1) * 400, row (1 - y) * 400.
#pragma once

#include <functional>
#include <string>

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

class RunningProgram {
  public:
    explicit RunningProgram(const std::string& dialogue);
    bool started() const { return window_ != 0; }
    Picture shot() const;
    void press(char key) const;
    void pressTimes(char key, int times) const;
    // Captures until two pictures taken 150 ms apart agree: every key sent so far has been drawn.
    Picture settled(double seconds = 20.0) const;
    ProgramUnderTest& program() { return program_; }
    VirtualScreen& screen() { return screen_; }
    Window window() const { return window_; }

  private:
    VirtualScreen screen_;
    ProgramUnderTest program_;
    Window window_ = 0;
};

extern const Rgb Red;
extern const Rgb Green;
extern const Rgb Blue;
extern const Rgb White;
extern const Rgb Black;
