// The window treated roughly: resized to a sliver and back, scales pushed far both ways, 's' held
// for 2000 frames at 20 masses, and the window closed by the window manager. The program must keep
// drawing the right picture and end with status 0; in the sanitizer build LeakSanitizer also
// checks at that exit that it gave back everything it took.
#include <gtest/gtest.h>

#include <X11/Xatom.h>

#include <cmath>
#include <string>

#include "window_fixture.h"

namespace {

const std::string Examples = std::string(TRANSCRIPT_DIR) + "/../../examples";

bool quitWithStatusZero(RunningProgram& run) {
    run.press(27);
    return run.program().waitForExit(PatientSeconds) && run.program().exitStatus() == 0;
}

// The right fixed end is a red disc at (0.99, 0) whatever the motion: the picture is whole.
bool rightEndDrawn(const Picture& p) {
    return p.width == WindowPixels && p.at(static_cast<int>(columnOf(0.99)), 403) == Red;
}

TEST(Robustness, SliverWindowAndBack) {
    RunningProgram run(readFile(Examples + "/two_masses_typed_start.txt"));
    ASSERT_TRUE(run.started());
    Display* display = run.screen().display();
    XResizeWindow(display, run.window(), WindowPixels, 1);
    XSync(display, False);
    run.pressTimes('s', 5);
    XResizeWindow(display, run.window(), WindowPixels, WindowPixels);
    XSync(display, False);
    run.pressTimes('s', 5);
    run.drawn();
    // GLUT reshapes after the events it read together with the keys; the next key's frame is
    // drawn at the full size for certain.
    run.press('s');
    EXPECT_TRUE(rightEndDrawn(run.drawn()));
    EXPECT_TRUE(quitWithStatusZero(run)) << run.program().err();
}

// 't' 20 times (only eight take effect), then 'T' 20 times; 'Y' 200 times, then 'y' 200 times,
// which brings the amplitudes back to their start up to rounding.
TEST(Robustness, ScalesPushedFarBothWays) {
    RunningProgram run(readFile(Examples + "/two_masses_typed_start.txt"));
    ASSERT_TRUE(run.started());
    run.pressTimes('t', 20);
    run.pressTimes('T', 20);
    run.pressTimes('Y', 200);
    run.pressTimes('y', 200);
    const Picture p = run.drawn();
    EXPECT_TRUE(rightEndDrawn(p));
    // The last frames show the time scale 0.005 * 0.9^8 / 0.9^20, a sweep of 56 samples.
    const double timeScale = 0.005 * std::pow(0.9, -12);
    EXPECT_LE(chartEnd(p, Red), static_cast<int>(columnOf(-0.99 + 56 * timeScale)) + 2);
    EXPECT_TRUE(quitWithStatusZero(run)) << run.program().err();
}

TEST(Robustness, TwentyMassesForTwoThousandFrames) {
    RunningProgram run(readFile(Examples + "/twenty_masses_mode_start.txt"));
    ASSERT_TRUE(run.started());
    for (int batch = 0; batch < 20; ++batch) {
        run.pressTimes('s', 100);
        run.drawn();
    }
    const Picture p = run.drawn();
    EXPECT_TRUE(rightEndDrawn(p));
    // Mode 1 keeps its shape: mass 1 still moves with amplitude at most 0.5 window units /
    // MaxAmplitude of 6.69, so its disc stays within 30 pixels of the rest line.
    double row = 0.0;
    ASSERT_TRUE(discCentreRow(p, static_cast<int>(columnOf(0.01 + 0.98 / 21)), Red, &row));
    EXPECT_NEAR(row, rowOf(0.0), 31.0);
    EXPECT_TRUE(quitWithStatusZero(run)) << run.program().err();
}

// The window manager asks the window to close (WM_DELETE_WINDOW); the program ends with status 0.
TEST(Robustness, ClosedByTheWindowManager) {
    RunningProgram run(readFile(Examples + "/two_masses_typed_start.txt"));
    ASSERT_TRUE(run.started());
    run.pressTimes('s', 10);
    run.drawn();
    Display* display = run.screen().display();
    XEvent close = {};
    close.xclient.type = ClientMessage;
    close.xclient.window = run.window();
    close.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    close.xclient.format = 32;
    close.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    close.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, run.window(), False, NoEventMask, &close);
    XSync(display, False);
    ASSERT_TRUE(run.program().waitForExit(PatientSeconds));
    EXPECT_EQ(run.program().exitStatus(), 0) << run.program().err();
}

} // namespace
