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
    run.pressTimes('s', 60);
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

// The window manager asks the window to close (WM_DELETE_WINDOW): the program ends with status 0,
// also while a key's question waits in the console (asked at the terminal that a scripted run
// was started from, or at standard input), the question left unanswered.
struct CloseCase {
    const char* name;
    char key;      // pressed first, 0 for none
    bool terminal; // a pseudo-terminal is the program's controlling terminal, its input a pipe
};

class ClosedByTheWindowManager : public ::testing::TestWithParam<CloseCase> {};

TEST_P(ClosedByTheWindowManager, EndsTheProgramWithStatusZero) {
    const CloseCase c = GetParam();
    RunningProgram run(readFile(Examples + "/two_masses_typed_start.txt"),
                       {"-geometry", "800x800+0+0"}, {}, c.terminal);
    ASSERT_TRUE(run.started());
    run.pressTimes('s', 10);
    run.drawn();
    if (c.terminal) {
        run.program().closeInput();
    }
    if (c.key != 0) {
        run.pressUnhandled(c.key);
        ASSERT_TRUE(run.program().waitForOutput("何本の振動曲線を描画する？  n="));
    }
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
    for (const char* unwanted : {"XIO", "freeglut", "Xlib", "terminate"}) {
        EXPECT_EQ(run.program().err().find(unwanted), std::string::npos) << run.program().err();
    }
}

INSTANTIATE_TEST_SUITE_P(Robustness, ClosedByTheWindowManager,
                         ::testing::Values(CloseCase{"Paused", 0, false},
                                           CloseCase{"WhileTheCurveCountIsAsked", 'c', false},
                                           CloseCase{"WhileAskedAtTheTerminal", 'c', true}),
                         [](const ::testing::TestParamInfo<CloseCase>& info) {
                             return std::string(info.param.name);
                         });

// The window manager kills the program's connection (xkill, a window manager's "force quit"), as
// the end of the X server does: the program ends with status 0 and one line of its own, while
// GLUT runs and while a key's question waits.
TEST(Robustness, ALostDisplayIsSaidInOneLine) {
    for (const char key : {'\0', 'c'}) {
        RunningProgram run(readFile(Examples + "/two_masses_typed_start.txt"));
        ASSERT_TRUE(run.started());
        if (key != '\0') {
            run.pressUnhandled(key);
            ASSERT_TRUE(run.program().waitForOutput("何本の振動曲線を描画する？  n="));
        }
        XKillClient(run.screen().display(), run.window());
        XSync(run.screen().display(), False);
        ASSERT_TRUE(run.program().waitForExit(PatientSeconds));
        EXPECT_EQ(run.program().exitStatus(), 0);
        EXPECT_EQ(run.program().err(), "画面（ディスプレイ）との接続が切れたため終了します\n")
            << "key " << key;
    }
}

// The window destroyed by another program, as xdotool windowclose does, whatever the program is
// doing: paused, playing, minimised, or waiting in the console (the dialogue is abandoned, not
// answered). The program ends with status 0 every time.
struct WindowEnd {
    const char* name;
    char key;    // pressed first, 0 for none
    bool hidden; // the window unmapped first, as a minimised one is
};

class DestroyedWindow : public ::testing::TestWithParam<WindowEnd> {};

TEST_P(DestroyedWindow, EndsTheProgramWithStatusZero) {
    const WindowEnd end = GetParam();
    RunningProgram run(readFile(Examples + "/two_masses_typed_start.txt"));
    ASSERT_TRUE(run.started());
    Display* display = run.screen().display();
    const std::size_t answered = run.program().out().size();
    if (end.key == 'n') {
        // Its callback returns only once the dialogue is answered.
        run.pressUnhandled('n');
        ASSERT_TRUE(run.program().waitForOutput("自由度 nfree(≦20) キー入力 ="));
    }
    if (end.key == ' ') {
        run.press(' ');
        run.drawn();
        ASSERT_TRUE(run.waitForFrames(run.frames() + 3));
    }
    if (end.hidden) {
        XUnmapWindow(display, run.window());
        XSync(display, False);
    }
    XDestroyWindow(display, run.window());
    XSync(display, False);
    ASSERT_TRUE(run.program().waitForExit(PatientSeconds));
    EXPECT_EQ(run.program().exitStatus(), 0) << run.program().err();
    EXPECT_EQ(run.program().out().find("マス　m1", answered), std::string::npos)
        << "nothing was answered";
}

INSTANTIATE_TEST_SUITE_P(
    Robustness, DestroyedWindow,
    ::testing::Values(WindowEnd{"Paused", 0, false}, WindowEnd{"Playing", ' ', false},
                      WindowEnd{"Minimised", 0, true}, WindowEnd{"MinimisedPlaying", ' ', true},
                      WindowEnd{"WhileTheConsoleWaits", 'n', false}),
    [](const ::testing::TestParamInfo<WindowEnd>& info) { return std::string(info.param.name); });

// Minimised and playing, the program draws nothing, yet simulated time keeps pace with the clock:
// shown again, the chart holds a sample for every frame of the time it was hidden.
TEST(Robustness, HiddenWhilePlayingDrawsNothing) {
    RunningProgram run(readFile(Examples + "/two_masses_typed_start.txt"));
    ASSERT_TRUE(run.started());
    run.press(' ');
    run.drawn();
    ASSERT_TRUE(run.waitForFrames(run.frames() + 5));
    Display* display = run.screen().display();
    XUnmapWindow(display, run.window());
    XSync(display, False);
    // Each tick reads the window system's news first: two ticks on, the program knows.
    ASSERT_TRUE(run.waitForTicks(run.counts().ticks + 2));
    const ProbeCounts hidden = run.counts();
    ASSERT_TRUE(run.waitForTicks(hidden.ticks + 50));
    EXPECT_EQ(run.frames(), hidden.frames) << "no frame drawn while hidden";
    XMapWindow(display, run.window());
    XSync(display, False);
    ASSERT_TRUE(run.waitForFrames(hidden.frames + 1));
    run.press('s');
    const int samples = static_cast<int>((chartEnd(run.drawn(), Red) - columnOf(-0.99)) / 2);
    EXPECT_GE(samples, hidden.frames + 40) << "the motion went on while hidden";
}

} // namespace
