// The keys of the window, pressed for real under Xvfb: rescaling, the curve count, the dialogue
// re-run from each of its sections, keys that do nothing, and Escape.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <string>
#include <vector>

#include "window_fixture.h"

namespace {

const std::string Examples = std::string(TRANSCRIPT_DIR) + "/../../examples";
const std::string TwoMasses = readFile(Examples + "/two_masses_typed_start.txt");

// Sample k of the curves lies at x = -0.99 + k * TimeScale.
double sampleColumn(int k, double timeScale) {
    return columnOf(-0.99 + k * timeScale);
}

class Keys : public ::testing::Test {
  protected:
    RunningProgram run{TwoMasses};

    // The frames drawn so far, once every key pressed has been handled.
    int frames() {
        run.drawn();
        return static_cast<int>(run.frames());
    }
};

// The chart's samples are redrawn at the new spacing, at once and at the same instant: the
// rescaling keys add no sample.
TEST_F(Keys, LowerTCompressesAndCapitalTStretchesTheTimeAxis) {
    ASSERT_TRUE(run.started());
    run.pressTimes('s', 40);
    const int before = frames();
    run.press('t');
    EXPECT_NEAR(chartEnd(run.drawn(), Red), sampleColumn(40, 0.005 * 0.9), 1.5);
    run.press('T');
    run.press('T');
    EXPECT_NEAR(chartEnd(run.drawn(), Red), sampleColumn(40, 0.005 / 0.9), 1.5);
    EXPECT_EQ(frames(), before + 3) << "each key redraws once";
}

// Twenty presses of 't' stop at 0.005 * 0.9^8 = 0.0021523, above the bound of 0.002: a sweep of
// 465 samples (indices 0 ... 464) that ends just left of the chain and then starts again.
TEST_F(Keys, TimeScaleStopsAtItsBound) {
    ASSERT_TRUE(run.started());
    const double bounded = 0.005 * std::pow(0.9, 8);
    run.pressTimes('t', 20);
    run.pressTimes('s', 460);
    const int full = chartEnd(run.drawn(), Red);
    EXPECT_NEAR(full, sampleColumn(460, bounded), 2.0);
    run.pressTimes('s', 10);
    EXPECT_LT(chartEnd(run.drawn(), Red), static_cast<int>(sampleColumn(10, bounded)))
        << "the sweep has started again";
    EXPECT_TRUE(run.program().running());
}

// 'y' scales the chain, the curves and the grid's rows by 0.9.
TEST_F(Keys, LowerYShrinksTheAmplitudes) {
    ASSERT_TRUE(run.started());
    run.pressTimes('s', 7);
    run.press('y');
    const Picture p = run.drawn();
    const double t = 7 * 0.04;
    const double y1 = (std::cos(t) + std::cos(std::sqrt(3.0) * t)) / 2.0;
    double row = 0.0;
    ASSERT_TRUE(discCentreRow(p, static_cast<int>(columnOf(0.01 + 0.98 / 3)), Red, &row));
    EXPECT_NEAR(row, rowOf(0.45 * y1), 2.0);
    // Grid rows every 0.2 * 0.45 = 0.09 window units.
    EXPECT_TRUE(colourNear(p, 30, rowOf(-0.36), Black, 1));
    EXPECT_EQ(p.at(30, static_cast<int>(rowOf(-0.40))), White);
}

TEST_F(Keys, CurveCountIsAskedAgainUntilInRange) {
    ASSERT_TRUE(run.started());
    run.pressTimes('s', 10);
    run.program().type("x\n9\n-1\n1\n");
    run.press('c');
    ASSERT_TRUE(run.program().waitForOutput("何本の振動曲線を描画する？  n="));
    ASSERT_TRUE(run.program().waitForOutput("整数を入力してください"));
    ASSERT_TRUE(run.program().waitForOutput("0 から 2 までの整数を入力してください"));
    ASSERT_TRUE(run.program().waitForOutput("0 から 2 までの整数を入力してください"));
    const Picture p = run.drawn();
    EXPECT_GT(chartEnd(p, Red), 0);
    EXPECT_EQ(chartEnd(p, Green), -1) << "only curve 1 is drawn";
}

// 'n' re-runs the whole dialogue; the window shows the new chain at the next frame.
TEST_F(Keys, NewModelWithFewerMasses) {
    ASSERT_TRUE(run.started());
    run.pressTimes('s', 5);
    const Picture before = run.drawn();
    const long framesBefore = run.frames();
    run.program().type("1\n2\n3 5\n1\nn\n0.5 0\n");
    run.press('n');
    ASSERT_TRUE(run.program().waitForOutput("自由度 nfree(≦20) キー入力 ="));
    ASSERT_TRUE(run.program().waitForOutput("ESCキーで：終了"));
    EXPECT_EQ(run.drawn().pixels, before.pixels);
    EXPECT_EQ(run.frames(), framesBefore) << "no redraw at the dialogue's end";
    run.press('s');
    const Picture after = run.drawn();
    double row = 0.0;
    // One mass of 2 kg on 8 N/m: y = 0.5 cos(2 t), drawn at half a window unit per metre.
    ASSERT_TRUE(discCentreRow(after, static_cast<int>(columnOf(0.5)), Red, &row));
    EXPECT_NEAR(row, rowOf(0.5 * 0.5 * std::cos(2.0 * 0.04)), 2.0);
    EXPECT_FALSE(
        discCentreRow(after, static_cast<int>(columnOf(0.01 + 0.98 * 2 / 3)), Green, &row));
}

// Keys pressed in the window while the console waits are dropped, not replayed afterwards: here
// they would start a second dialogue and then quit.
TEST_F(Keys, KeysPressedWhileTheConsoleWaitsAreDropped) {
    ASSERT_TRUE(run.started());
    run.press('n');
    ASSERT_TRUE(run.program().waitForOutput("自由度 nfree(≦20) キー入力 ="));
    for (char key : {'s', 's', 's', 'n', '\x1b'}) {
        run.pressUnhandled(key);
    }
    run.program().type("1\n2\n3 5\n1\nn\n0.5 0\n");
    ASSERT_TRUE(run.program().waitForOutput("ESCキーで：終了"));
    run.drawn();
    const long frames = run.frames();
    run.press('s');
    run.drawn();
    EXPECT_TRUE(run.program().running());
    EXPECT_EQ(run.frames(), frames + 1);
    const std::string out = run.program().out();
    EXPECT_EQ(out.find("自由度 nfree", out.find("自由度 nfree") + 1), out.rfind("自由度 nfree"))
        << "one dialogue after the first";
}

// Space plays the motion: one frame of 0.04 s per 0.04 s of wall time, read off the chart's
// length at two moments four seconds apart; 's' stops play and steps one frame.
TEST_F(Keys, SpacePlaysAtWallTimeAndSStops) {
    using Clock = std::chrono::steady_clock;
    ASSERT_TRUE(run.started());
    run.press(' ');
    run.drawn();
    ASSERT_TRUE(run.waitForFrames(run.frames() + 5));
    const auto sample = [this] { return (chartEnd(run.shot(), Red) - columnOf(-0.99)) / 2.0; };
    const Clock::time_point firstAt = Clock::now();
    const double first = sample();
    while (Clock::now() - firstAt < std::chrono::seconds(4)) {
        run.waitForFrames(run.frames() + 1);
    }
    const double last = sample();
    const double seconds = std::chrono::duration<double>(Clock::now() - firstAt).count();
    EXPECT_NEAR((last - first) / seconds, 25.0, 5.0) << "frames per second of wall time";

    run.press('s');
    run.drawn();
    const long stopped = run.frames();
    run.press('s');
    run.drawn();
    EXPECT_EQ(run.frames(), stopped + 1) << "play has stopped; 's' steps one frame";
}

TEST_F(Keys, MassesKeepTheDegreesOfFreedom) {
    ASSERT_TRUE(run.started());
    run.program().type("1 1\n4 4 4\n2\ny\n2\n");
    const std::size_t asked = run.program().out().size();
    run.press('m');
    ASSERT_TRUE(run.program().waitForOutput("ESCキーで：終了"));
    const std::string dialogue = run.program().out().substr(asked);
    EXPECT_EQ(dialogue.find("自由度 nfree"), std::string::npos);
    EXPECT_NE(dialogue.find("マス　m1 m2 ... mn [kg]"), std::string::npos);
    EXPECT_NE(dialogue.find("(  2.0000  3.4641)"), std::string::npos);
    EXPECT_NE(dialogue.find("第2モード　ω0= 3.4641[rad/s]"), std::string::npos);
}

TEST_F(Keys, InitialConditionsKeepTheModel) {
    ASSERT_TRUE(run.started());
    run.program().type("n\n0 1 0 -1\n");
    const std::size_t asked = run.program().out().size();
    run.press('j');
    ASSERT_TRUE(run.program().waitForOutput("ESCキーで：終了"));
    const std::string dialogue = run.program().out().substr(asked);
    EXPECT_EQ(dialogue.find("マス　m1"), std::string::npos);
    EXPECT_EQ(dialogue.find("何本の振動曲線"), std::string::npos);
    EXPECT_NE(dialogue.find("(  1.0000  1.7321)"), std::string::npos);
    EXPECT_NE(dialogue.find("No. 2  y02 v02= "), std::string::npos);
}

// Paused, the motion stands: a repaint the window system asks for (here an exposure) and the keys
// that rescale the picture show the same instant; only 's' moves it on. The chain's half of the
// window does not depend on the time scale, so it is the same picture, pixel for pixel.
TEST_F(Keys, PauseHoldsThroughRepaintsAndRescaling) {
    ASSERT_TRUE(run.started());
    run.pressTimes('s', 12);
    const Picture before = run.drawn();
    const long frames = run.frames();
    Display* display = run.screen().display();
    XClearArea(display, run.window(), 0, 0, 0, 0, True);
    XSync(display, False);
    ASSERT_TRUE(run.waitForFrames(frames + 1)) << "the exposure is repainted";
    EXPECT_EQ(run.shot().pixels, before.pixels) << "at the same instant";
    run.press('t');
    run.press('T');
    const Picture rescaled = run.drawn();
    EXPECT_EQ(run.frames(), frames + 3);
    for (int y = 0; y < WindowPixels; ++y) {
        for (int x = static_cast<int>(columnOf(0.03)); x < WindowPixels; ++x) {
            ASSERT_EQ(rescaled.at(x, y), before.at(x, y))
                << "the chain at pixel " << x << ", " << y;
        }
    }
    EXPECT_NEAR(chartEnd(rescaled, Red), sampleColumn(12, 0.005), 1.5) << "no sample was added";
}

// A space bar held down while the keyboard repeats it plays once: play goes on after it is let go,
// and the program saw one press, not one per repeat.
TEST_F(Keys, HeldSpaceBarPlaysOnce) {
    ASSERT_TRUE(run.started());
    const long keys = run.counts().keys;
    run.screen().hold(run.window(), ' ', true);
    ASSERT_TRUE(run.waitForFrames(run.frames() + 50)) << "two seconds of play, repeats and all";
    run.screen().hold(run.window(), ' ', false);
    const long after = run.frames();
    ASSERT_TRUE(run.waitForFrames(after + 10)) << "play goes on once the bar is let go";
    EXPECT_EQ(run.counts().keys, keys + 1);
}

// Capitals of the command letters and unknown keys draw nothing.
TEST_F(Keys, OtherKeysDoNothing) {
    ASSERT_TRUE(run.started());
    run.pressTimes('s', 3);
    const Picture before = run.drawn();
    const long framesBefore = run.frames();
    for (char key : {'S', 'C', 'N', 'M', 'J', 'a', 'q', '1'}) {
        run.press(key);
    }
    EXPECT_EQ(run.drawn().pixels, before.pixels);
    EXPECT_EQ(run.frames(), framesBefore);
    EXPECT_TRUE(run.program().running());
}

// After a scripted dialogue (standard input at its end) the keys that ask in the console ask at
// the controlling terminal, their prompts shown there as well as on standard output; where there
// is no terminal, or its input ends, one line says so and the run goes on as it was.
struct TerminalCase {
    const char* name;
    bool terminal; // a pseudo-terminal is the program's controlling terminal
    char key;
    const char* typed;      // at the terminal
    const char* shown;      // on standard output and on the terminal
    const char* afterwards; // on standard output
    const char* error;      // on standard error
};

// 'f' draws the largest displacement the motion can reach 0.4 window units (160 pixels) from the
// rest line, whatever the start's size: a start of 1 mm and one of 1 km alike. It becomes the
// reference amplitude, so the grid's cells are 0.2 of it (32 pixels); and however small 'y'
// makes the cells, the horizontal lines drawn stay 4 pixels or more apart.
struct FitCase {
    const char* name;
    const char* dialogue;
    double largestOffset; // pixels, of the largest disc offset right after 'f'
};

void PrintTo(const FitCase& c, std::ostream* out) {
    *out << c.name;
}

// The rows of the horizontal lines of the chart's grid: black runs down a column between two of
// its vertical lines, under the captions.
std::vector<int> gridRows(const Picture& p) {
    const int column = static_cast<int>(columnOf(-0.95));
    std::vector<int> rows;
    for (int y = 80; y < p.height; ++y) {
        if (p.at(column, y) == Black && !(p.at(column, y - 1) == Black)) {
            rows.push_back(y);
        }
    }
    return rows;
}

void expectGridLinesApart(const Picture& p, double spacing, const char* when) {
    const std::vector<int> rows = gridRows(p);
    ASSERT_GE(rows.size(), 2u) << when;
    for (std::size_t k = 1; k < rows.size(); ++k) {
        EXPECT_GE(rows[k] - rows[k - 1], 4) << when;
        if (spacing > 0.0) {
            EXPECT_NEAR(rows[k] - rows[k - 1], spacing, 1.0) << when;
        }
    }
}

class Fit : public ::testing::TestWithParam<FitCase> {};

TEST_P(Fit, LargestReachSpansFortyPerCentOfTheHalfWindow) {
    const FitCase c = GetParam();
    RunningProgram run{c.dialogue};
    ASSERT_TRUE(run.started());
    run.press('f');
    const Picture p = run.drawn();
    double largest = 0.0;
    for (int k = 1; k <= 3; ++k) {
        const Rgb colours[3] = {Red, Green, Blue};
        double row = 0.0;
        if (discCentreRow(p, static_cast<int>(columnOf(0.01 + k * 0.98 / 4)), colours[k - 1],
                          &row)) {
            largest = std::max(largest, std::fabs(row - rowOf(0.0)));
        }
    }
    EXPECT_NEAR(largest, c.largestOffset, 3.0);
    expectGridLinesApart(p, 0.2 * c.largestOffset, "after 'f'");
    run.pressTimes('y', 40);
    expectGridLinesApart(run.drawn(), 0.0, "after 'f' and 40 presses of 'y'");
    run.press('Y');
    EXPECT_TRUE(run.program().running());
}

INSTANTIATE_TEST_SUITE_P(
    Keys, Fit,
    ::testing::Values(
        // Three 1 kg masses on 100 N/m, mass 1 moved: its reach is where it starts.
        FitCase{"OneMillimetre", "3\n1 1 1\n100 100 100 100\n3\nn\n0.001 0\n0 0\n0 0\n", 160.0},
        FitCase{"HundredMetres", "3\n1 1 1\n100 100 100 100\n3\nn\n100 0\n0 0\n0 0\n", 160.0},
        FitCase{"OneKilometre", "3\n1 1 1\n100 100 100 100\n3\nn\n-1000 0\n0 0\n0 0\n", 160.0},
        // Mode 2 moves masses 1 and 3 alone, as far as they start.
        FitCase{"ModeStart", "3\n1 1 1\n100 100 100 100\n3\ny\n2\n", 160.0}),
    [](const ::testing::TestParamInfo<FitCase>& info) { return std::string(info.param.name); });

void PrintTo(const TerminalCase& c, std::ostream* out) {
    *out << c.name;
}

class ScriptedRun : public ::testing::TestWithParam<TerminalCase> {};

TEST_P(ScriptedRun, KeysAskAtTheTerminal) {
    const TerminalCase c = GetParam();
    RunningProgram run{TwoMasses, {"-geometry", "800x800+0+0"}, {}, c.terminal};
    ASSERT_TRUE(run.started());
    run.program().closeInput();
    run.press(c.key);
    run.program().typeAtTerminal(c.typed);
    if (*c.shown != '\0') {
        EXPECT_TRUE(run.program().waitForOutput(c.shown, PatientSeconds)) << run.program().out();
        EXPECT_TRUE(run.program().waitForTerminal(c.shown, PatientSeconds))
            << run.program().terminal();
    }
    if (*c.afterwards != '\0') {
        EXPECT_TRUE(run.program().waitForOutput(c.afterwards, PatientSeconds))
            << run.program().out();
    }
    if (*c.error != '\0') {
        EXPECT_TRUE(run.program().waitForError(c.error, PatientSeconds)) << run.program().err();
    }
    run.drawn();
    const long frames = run.frames();
    run.press('s');
    const Picture p = run.drawn();
    EXPECT_EQ(run.frames(), frames + 1) << "the window goes on";
    double row = 0.0;
    const bool massTwo =
        discCentreRow(p, static_cast<int>(columnOf(0.01 + 0.98 * 2 / 3)), Green, &row);
    const bool newChain = c.key == 'n' && *c.error == '\0';
    EXPECT_EQ(massTwo, !newChain) << "the chain is the new one, or the one it was";
    run.press('\x1b');
    ASSERT_TRUE(run.program().waitForExit(PatientSeconds));
    EXPECT_EQ(run.program().exitStatus(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, ScriptedRun,
    ::testing::Values(TerminalCase{"CurveCount", true, 'c', "x\n1\n",
                                   "何本の振動曲線を描画する？  n=", "整数を入力してください", ""},
                      TerminalCase{"NewChain", true, 'n', "1\n2\n3 5\n1\nn\n0.5 0\n",
                                   "自由度 nfree(≦20) キー入力 =", "ESCキーで：終了", ""},
                      TerminalCase{"NewMasses", true, 'm', "1 1\n4 4 4\n2\ny\n2\n",
                                   "マス　m1 m2 ... mn [kg]", "第2モード　ω0= 3.4641[rad/s]", ""},
                      TerminalCase{"NewInitialConditions", true, 'j', "n0 1 0 -1\n",
                                   "固有モードを利用？", "No. 2  y02 v02= ", ""},
                      TerminalCase{"TerminalInputEnds", true, 'n', "1\n\x04",
                                   "自由度 nfree(≦20) キー入力 =", "マス　m1",
                                   "入力が終わったため、この質問はやめて"},
                      TerminalCase{"NoTerminal", false, 'c', "", "", "",
                                   "'c' キーの質問に答えるコンソール（端末）がないため"}),
    [](const ::testing::TestParamInfo<TerminalCase>& info) {
        return std::string(info.param.name);
    });

} // namespace
