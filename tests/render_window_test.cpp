// The window as a student sees it: the real program under Xvfb, real key presses, and the pixels
// read back, compared with positions worked out from the equations of motion.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "window_fixture.h"

namespace {

const std::string Examples = std::string(TRANSCRIPT_DIR) + "/../../examples";

// Two 1 kg masses on three 1 N/m springs, mass 1 released from 1 m: the normal modes have
// omega = 1 and sqrt(3), so y1 = (cos t + cos sqrt3 t) / 2 and y2 = (cos t - cos sqrt3 t) / 2.
double y1At(double t) {
    return (std::cos(t) + std::cos(std::sqrt(3.0) * t)) / 2.0;
}
double y2At(double t) {
    return (std::cos(t) - std::cos(std::sqrt(3.0) * t)) / 2.0;
}

constexpr double SecondsPerFrame = 0.04;
constexpr double PixelsPerMetre = 200.0; // 0.5 window units per metre at the start of a run

// Mass k of n sits at x = 0.01 + k * 0.98 / (n + 1).
int massColumn(int k, int n) {
    return static_cast<int>(columnOf(0.01 + k * 0.98 / (n + 1)));
}

struct Observed {
    int frame = -1;
    double error = 1e9; // largest distance in pixels between a disc and its predicted place
};

// The frame count is read off the length of mass 1's curve (two pixels per sample), then the
// discs must sit where the equations of motion put them after that many frames.
Observed observe(const Picture& picture) {
    Observed best;
    const int end = chartEnd(picture, Red);
    if (end < 0) {
        return best;
    }
    double row1 = 0.0;
    double row2 = 0.0;
    if (!discCentreRow(picture, massColumn(1, 2), Red, &row1) ||
        !discCentreRow(picture, massColumn(2, 2), Green, &row2)) {
        return best;
    }
    const int guess = (end - static_cast<int>(columnOf(-0.99))) / 2;
    for (int frame = std::max(guess - 1, 0); frame <= guess + 1; ++frame) {
        const double t = frame * SecondsPerFrame;
        const double error = std::max(std::fabs(row1 - rowOf(0.5 * y1At(t))),
                                      std::fabs(row2 - rowOf(0.5 * y2At(t))));
        if (error < best.error) {
            best = {frame, error};
        }
    }
    return best;
}

// Samples 1 ... last of both curves lie on the predicted displacements.
void expectCurves(const Picture& picture, int last) {
    for (int k = 1; k <= last; ++k) {
        const double t = k * SecondsPerFrame;
        const int column = static_cast<int>(columnOf(-0.99 + k * 0.005));
        if (std::fabs(y1At(t) - y2At(t)) > 0.05) { // where curve 2 crosses curve 1 it covers it
            EXPECT_TRUE(colourNear(picture, column, rowOf(0.5 * y1At(t)), Red, 3))
                << "sample " << k;
        }
        EXPECT_TRUE(colourNear(picture, column, rowOf(0.5 * y2At(t)), Green, 3)) << "sample " << k;
    }
}

class TwoMassWindow : public ::testing::Test {
  protected:
    RunningProgram run{readFile(Examples + "/two_masses_typed_start.txt")};
};

TEST_F(TwoMassWindow, ChainAndChartFollowTheEquationsOfMotion) {
    ASSERT_TRUE(run.started());
    const long painted = run.frames();
    run.pressTimes('s', 30);
    const Picture first = run.drawn();
    EXPECT_EQ(run.frames(), painted + 30) << "each 's' is one frame";
    const Observed seen = observe(first);
    EXPECT_EQ(seen.frame, 30) << "the chart holds one sample per 's', none for the first paint";
    EXPECT_LE(seen.error, 2.0) << "frame " << seen.frame;
    expectCurves(first, 30);

    run.pressTimes('s', 17);
    const Picture later = run.drawn();
    EXPECT_EQ(run.frames(), painted + 47);
    const Observed then = observe(later);
    EXPECT_EQ(then.frame, 47);
    EXPECT_LE(then.error, 2.0);
    expectCurves(later, then.frame);
}

TEST_F(TwoMassWindow, BackgroundGridAxesEndsAndCaptions) {
    ASSERT_TRUE(run.started());
    const Picture p = run.drawn();
    EXPECT_EQ(p.at(700, 740), White);
    EXPECT_EQ(p.at(22, 620), White); // inside a grid cell
    // Grid lines every 40 pixels from x = -0.99 and on y = 0 +- 0.1 k, one pixel wide on either
    // side of the pixel edge they fall on; the axes are 2 wide.
    const int gridColumn = static_cast<int>(columnOf(-0.99 + 0.1 * 5));
    EXPECT_TRUE(p.at(gridColumn, 700) == Black || p.at(gridColumn - 1, 700) == Black);
    EXPECT_TRUE(colourNear(p, 100, rowOf(-0.3), Black, 1));
    EXPECT_EQ(p.at(600, static_cast<int>(rowOf(0.0))), Black) << "the time axis crosses the chain";
    // The right fixed end: a red disc of 4 pixels at (0.99, 0), below the axis line.
    EXPECT_EQ(p.at(static_cast<int>(columnOf(0.99)), static_cast<int>(rowOf(0.0)) + 3), Red);
    // Captions are drawn in the unlit grey of 0.04.
    int grey = 0;
    for (int y = 20; y < 70; ++y) {
        for (int x = 20; x < 390; ++x) {
            const Rgb c = p.at(x, y);
            grey += (c.r == c.g && c.g == c.b && c.r >= 9 && c.r <= 11) ? 1 : 0;
        }
    }
    EXPECT_GT(grey, 300);
}

// Four masses with a free left end and a cut between masses 2 and 3, no curve drawn: the chain
// still moves at its start scale over a full grid, the springs of 0 N/m are not drawn, and curves
// added with 'c' take curve 1's scale.
TEST(CutChainWindow, ZeroSpringsAndCurvesAdded) {
    RunningProgram run("4\n1 1 1 1\n0 1 0 1 1\n0\nn\n1 0\n0.5 0\n0 0\n0.5 0\n");
    ASSERT_TRUE(run.started());
    const Picture p = run.drawn();
    const auto hasRed = [&p](double x) {
        for (int y = 0; y < p.height; ++y) {
            if (p.at(static_cast<int>(columnOf(x)), y) == Red) {
                return true;
            }
        }
        return false;
    };
    const double dx = 0.98 / 5;
    EXPECT_FALSE(hasRed(0.01 + dx / 2)) << "no spring to the free end";
    EXPECT_FALSE(hasRed(0.01 + 2.5 * dx)) << "no spring across the cut";
    EXPECT_TRUE(hasRed(0.01 + 1.5 * dx)) << "the spring between masses 1 and 2";
    double row = 0.0;
    ASSERT_TRUE(discCentreRow(p, static_cast<int>(columnOf(0.01 + dx)), Red, &row));
    EXPECT_LT(row, rowOf(0.4)) << "mass 1, released from 1 m, is drawn 0.5 window units up";
    EXPECT_TRUE(colourNear(p, 100, rowOf(-0.3), Black, 1)) << "the grid keeps its rows";
    EXPECT_EQ(p.at(22, 620), White);

    run.program().type("2\n");
    run.press('c');
    run.drawn();
    run.press('s');
    const Picture q = run.drawn();
    bool raised = false; // curve 2's newest sample: mass 2 near 0.5 m, 0.25 window units up
    for (int x = 0; x < static_cast<int>(columnOf(0.0)); ++x) {
        raised = raised || colourNear(q, x, rowOf(0.25), Green, 8);
    }
    EXPECT_TRUE(raised);
}

TEST_F(TwoMassWindow, TitleReadByXprop) {
    ASSERT_TRUE(run.started());
    ProcessSetup setup;
    setup.args = {"-display", run.screen().name(), "-id", std::to_string(run.window()),
                  "_NET_WM_NAME"};
    setup.env = {{"LANG", "C.UTF-8"}};
    const ProcessRun xprop = runProcess("/usr/bin/xprop", setup);
    EXPECT_EQ(xprop.out, "_NET_WM_NAME(UTF8_STRING) = \"n-DOF自由振動　キー=n:自由度, "
                         "=m:マスばね, =j:初期条件 =c:描画曲線数　変更\"\n");
}

// Where the window is on the screen: its top left corner in root coordinates (there is no window
// manager to move it), and its size.
struct Placement {
    int x = -1;
    int y = -1;
    int width = 0;
    int height = 0;
};

Placement placementOf(RunningProgram& run) {
    Placement p;
    Display* display = run.screen().display();
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display, run.window(), &attributes)) {
        Window child = 0;
        XTranslateCoordinates(display, run.window(), DefaultRootWindow(display), 0, 0, &p.x, &p.y,
                              &child);
        p.width = attributes.width;
        p.height = attributes.height;
    }
    return p;
}

// -geometry with a position only, either edge, or a size too small to draw in, or nothing
// readable at all: the window opens, drawn, where and as large as it can be (the screen is 1024
// pixels square).
TEST(WindowGeometry, EveryGeometryOpensAUsableWindow) {
    struct Case {
        const char* geometry;
        Placement expected;
    };
    for (const Case& c :
         {Case{"+10+10", {10, 10, 800, 800}}, Case{"-10-10", {214, 214, 800, 800}},
          Case{"1x1+0+0", {0, 0, 200, 200}}, Case{"600x400+5+7", {5, 7, 600, 400}}}) {
        SCOPED_TRACE(c.geometry);
        RunningProgram run(readFile(Examples + "/two_masses_typed_start.txt"),
                           {"-geometry", c.geometry});
        ASSERT_TRUE(run.started());
        const Placement p = placementOf(run);
        EXPECT_EQ(p.x, c.expected.x);
        EXPECT_EQ(p.y, c.expected.y);
        EXPECT_EQ(p.width, c.expected.width);
        EXPECT_EQ(p.height, c.expected.height);
        EXPECT_TRUE(run.program().running());
    }
}

// -display names the display, whatever the environment's DISPLAY says.
TEST(WindowGeometry, DisplayOnTheCommandLine) {
    VirtualScreen screen;
    ASSERT_TRUE(screen.running());
    ProgramUnderTest program(SPRING_CHAIN_EXE, readFile(Examples + "/two_masses_typed_start.txt"),
                             ":65000", {"-display", screen.name()});
    ASSERT_TRUE(program.waitForOutput("ESCキーで：終了", PatientSeconds));
    EXPECT_NE(screen.waitForWindow("", PatientSeconds), 0u);
    EXPECT_TRUE(program.running());
}

TEST(WindowGeometry, UnreadableGeometryIsSaidAndSetAside) {
    RunningProgram run(readFile(Examples + "/two_masses_typed_start.txt"),
                       {"-geometry", "garbage"});
    ASSERT_TRUE(run.started());
    EXPECT_EQ(placementOf(run).width, 800);
    EXPECT_NE(run.program().err().find("-geometry の指定「garbage」は読めないため"),
              std::string::npos)
        << run.program().err();
}

// Each mass is told apart without reading colours: its number above or below its disc and at the
// newest end of its curve, in its colour darkened (0.45 of it) to read on white, at 800 and at
// 400 pixels alike. Six masses, masses 2 and 6 plucked, after 150 frames: the README's picture.
class MassNumbers : public ::testing::TestWithParam<int> {};

// Pixels of the mass's darkened colour inside the box (pixel columns and rows, ends included).
int darkPixels(const Picture& p, int mass, int left, int top, int right, int bottom) {
    const Rgb colours[6] = {{255, 0, 0},  {0, 255, 0},  {0, 0, 255},
                            {255, 51, 0}, {0, 255, 51}, {51, 0, 255}};
    const Rgb c = colours[mass - 1];
    const auto dark = [](int v) { return static_cast<int>(v * 0.45 + 0.5); };
    int count = 0;
    for (int y = std::max(top, 0); y <= std::min(bottom, p.height - 1); ++y) {
        for (int x = std::max(left, 0); x <= std::min(right, p.width - 1); ++x) {
            const Rgb q = p.at(x, y);
            count += std::abs(q.r - dark(c.r)) <= 2 && std::abs(q.g - dark(c.g)) <= 2 &&
                             std::abs(q.b - dark(c.b)) <= 2
                         ? 1
                         : 0;
        }
    }
    return count;
}

TEST_P(MassNumbers, BesideEachDiscAndAtEachCurvesEnd) {
    const int size = GetParam();
    const std::string geometry = std::to_string(size) + "x" + std::to_string(size) + "+0+0";
    RunningProgram run{readFile(Examples + "/six_masses_plucked.txt"), {"-geometry", geometry}};
    ASSERT_TRUE(run.started());
    run.pressTimes('s', 150);
    const Picture p = run.drawn();
    ASSERT_EQ(p.width, size);
    const auto column = [size](double x) { return static_cast<int>((x + 1.0) * size / 2.0); };
    const Rgb colours[6] = {Red, Green, Blue, {255, 51, 0}, {0, 255, 51}, {51, 0, 255}};
    for (int k = 1; k <= 6; ++k) {
        SCOPED_TRACE("mass " + std::to_string(k));
        const int x = column(0.01 + k * 0.98 / 7);
        double row = 0.0;
        ASSERT_TRUE(discCentreRow(p, x, colours[k - 1], &row));
        const int reach = size / 20 + 16; // the disc's radius, the gap and the digits
        EXPECT_GE(darkPixels(p, k, x - 10, static_cast<int>(row) - reach, x + 10,
                             static_cast<int>(row) + reach),
                  4)
            << "the disc's number";
        if (size == 800) {
            const int end = column(-0.99 + 150 * 0.005);
            EXPECT_GE(darkPixels(p, k, end + 1, 0, end + 24, size - 1), 4) << "the curve's number";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, MassNumbers, ::testing::Values(800, 400));

// A number's glyphs: pixels of a darkened colour (no channel above 0.45 of full), not grey.
bool numberPixel(Rgb q) {
    const int most = std::max({q.r, q.g, q.b});
    return most <= 117 && !(q.r == q.g && q.g == q.b);
}

// A disc's or a spring's pixel: every mass colour and the springs' red have a full channel.
bool chainPixel(Rgb q) {
    return std::max({q.r, q.g, q.b}) == 255 && !(q == White);
}

struct Box {
    int left, top, right, bottom;
};

// The numbers right of `fromColumn`, each the box of glyph pixels that lie within 2 pixels of
// one another (the digits of one number).
std::vector<Box> numberBoxes(const Picture& p, int fromColumn) {
    std::vector<int> seen(static_cast<std::size_t>(p.width) * p.height, 0);
    std::vector<Box> boxes;
    for (int y = 0; y < p.height; ++y) {
        for (int x = fromColumn; x < p.width; ++x) {
            if (seen[y * p.width + x] || !numberPixel(p.at(x, y))) {
                continue;
            }
            Box b = {x, y, x, y};
            std::vector<std::pair<int, int>> todo = {{x, y}};
            seen[y * p.width + x] = 1;
            while (!todo.empty()) {
                const auto [cx, cy] = todo.back();
                todo.pop_back();
                b = {std::min(b.left, cx), std::min(b.top, cy), std::max(b.right, cx),
                     std::max(b.bottom, cy)};
                for (int ny = std::max(cy - 2, 0); ny <= std::min(cy + 2, p.height - 1); ++ny) {
                    for (int nx = std::max(cx - 2, fromColumn); nx <= std::min(cx + 2, p.width - 1);
                         ++nx) {
                        if (!seen[ny * p.width + nx] && numberPixel(p.at(nx, ny))) {
                            seen[ny * p.width + nx] = 1;
                            todo.push_back({nx, ny});
                        }
                    }
                }
            }
            boxes.push_back(b);
        }
    }
    return boxes;
}

// Mode 20 of twenty masses zigzags: both springs of every other mass rise from its disc, and its
// number goes below it. No number has a spring through it or lies on a disc, at 800 pixels and
// where the discs crowd at 200.
class NumbersKeepClear : public ::testing::TestWithParam<int> {};

TEST_P(NumbersKeepClear, OfEveryDiscAndSpring) {
    const int size = GetParam();
    const std::string dialogue = uniformChain(20, 1.0, 1.0) + "0\ny\n20\n";
    const std::string geometry = std::to_string(size) + "x" + std::to_string(size) + "+0+0";
    RunningProgram run{dialogue, {"-geometry", geometry}};
    ASSERT_TRUE(run.started());
    const Picture p = run.drawn();
    const std::vector<Box> boxes = numberBoxes(p, size / 2 + 2);
    EXPECT_GE(boxes.size(), size == 800 ? 20u : 4u) << "numbers are written";
    for (const Box& b : boxes) {
        for (int y = b.top; y <= b.bottom; ++y) {
            for (int x = b.left; x <= b.right; ++x) {
                ASSERT_FALSE(chainPixel(p.at(x, y)))
                    << "a disc or a spring inside the number at " << b.left << ", " << b.top;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, NumbersKeepClear, ::testing::Values(800, 200));

// The captions' text is the unlit grey of 0.04; at every size the two lie one under the other, two
// bands of rows with a row free of their text between (at 800 x 800 the second ends at row 60, as
// it always has). A row of the grid, drawn over the captions, belongs to the band it crosses.
class Captions : public ::testing::TestWithParam<std::pair<int, int>> {};

TEST_P(Captions, NeverOverEachOther) {
    const auto [width, height] = GetParam();
    const std::string geometry = std::to_string(width) + "x" + std::to_string(height) + "+0+0";
    RunningProgram run{readFile(Examples + "/six_masses_plucked.txt"), {"-geometry", geometry}};
    ASSERT_TRUE(run.started());
    const Picture p = run.drawn();
    std::vector<std::pair<int, int>> bands; // first and last row of each band
    for (int y = 0; y < height / 2; ++y) {
        bool text = false;
        int black = 0;
        for (int x = 0; x < width / 2; ++x) {
            text = text || p.at(x, y) == Rgb{10, 10, 10};
            black += p.at(x, y) == Black ? 1 : 0;
        }
        if (black > width / 4) {
            if (!bands.empty() && bands.back().second == y - 1) {
                bands.back().second = y;
            }
            continue;
        }
        if (text && (bands.empty() || bands.back().second != y - 1)) {
            bands.push_back({y, y});
        } else if (text) {
            bands.back().second = y;
        }
    }
    ASSERT_EQ(bands.size(), 2u) << "two captions, apart";
    if (width == 800 && height == 800) {
        EXPECT_EQ(bands[1].second, 60 + 3) << "Helvetica 18's descent below the baseline";
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, Captions,
                         ::testing::Values(std::pair<int, int>{800, 800},
                                           std::pair<int, int>{400, 400},
                                           std::pair<int, int>{200, 200},
                                           std::pair<int, int>{1280, 300}));

TEST_F(TwoMassWindow, EscapeEndsWithStatusZero) {
    ASSERT_TRUE(run.started());
    run.press(27);
    ASSERT_TRUE(run.program().waitForExit(10.0));
    EXPECT_EQ(run.program().exitStatus(), 0) << run.program().err();
}

} // namespace

namespace {

struct HeldChain {
    const char* name;
    int n;
    double mass;   // kg
    double spring; // N/m
};

class HeldDown : public ::testing::TestWithParam<HeldChain> {};

// 's' held for 300 frames: the chain never gains energy, so no mass may leave the band that the
// starting energy allows (0.1 m times sqrt of the wall spring's share, well inside 40 pixels at
// 200 pixels per metre), and every disc is still drawn.
TEST_P(HeldDown, ChainStaysBoundedForHundredsOfFrames) {
    const HeldChain chain = GetParam();
    RunningProgram run(uniformDialogue(chain.n, chain.mass, chain.spring));
    ASSERT_TRUE(run.started());
    run.pressTimes('s', 300);
    const Picture p = run.drawn();
    for (int k = 1; k <= chain.n; ++k) {
        // The mass colours in 8 bits: 0.2 * 255 = 51, 0.4 * 255 = 102, and so on.
        static const Rgb colours[20] = {
            {255, 0, 0},   {0, 255, 0},   {0, 0, 255},   {255, 51, 0},   {0, 255, 51},
            {51, 0, 255},  {255, 102, 0}, {0, 255, 102}, {102, 0, 255},  {255, 153, 0},
            {0, 255, 153}, {153, 0, 255}, {255, 204, 0}, {0, 255, 204},  {204, 0, 255},
            {255, 255, 0}, {0, 255, 255}, {255, 0, 255}, {255, 255, 51}, {51, 255, 255}};
        double row = 0.0;
        ASSERT_TRUE(discCentreRow(p, massColumn(k, chain.n), colours[k - 1], &row)) << "mass " << k;
        EXPECT_NEAR(row, rowOf(0.0), 40.0) << "mass " << k;
    }
    EXPECT_TRUE(run.program().running());
}

INSTANTIATE_TEST_SUITE_P(Chains, HeldDown,
                         ::testing::Values(HeldChain{"TwentyStiff", 20, 0.01, 1e6},
                                           HeldChain{"FiveStiffest", 5, 0.001, 1e6},
                                           HeldChain{"TwentyWeak", 20, 100.0, 0.001},
                                           HeldChain{"TwentyUniform", 20, 1.0, 1.0},
                                           HeldChain{"OneStiff", 1, 1.0, 1e6}),
                         [](const ::testing::TestParamInfo<HeldChain>& info) {
                             return std::string(info.param.name);
                         });

} // namespace

namespace {

// The mass colours as the window shows them: five groups of three, (1, a, 0), (0, 1, a), (a, 0, 1)
// for a = 0, 0.2, ..., 0.8, then (1, 1, 0), (0, 1, 1), (1, 0, 1), (1, 1, 0.2), (0.2, 1, 1).
Rgb massColour(int i) {
    const auto byte = [](double v) { return static_cast<std::uint8_t>(v * 255.0 + 0.5); };
    const double a = 0.2 * (i / 3);
    const double tail[5][3] = {{1, 1, 0}, {0, 1, 1}, {1, 0, 1}, {1, 1, 0.2}, {0.2, 1, 1}};
    if (i >= 15) {
        return {byte(tail[i - 15][0]), byte(tail[i - 15][1]), byte(tail[i - 15][2])};
    }
    const double rgb[3][3] = {{1, a, 0}, {0, 1, a}, {a, 0, 1}};
    return {byte(rgb[i % 3][0]), byte(rgb[i % 3][1]), byte(rgb[i % 3][2])};
}

struct Blob {
    double x, y;
    int pixels;
};

// The discs of one colour in the left half: its pixels grouped by touch, each group's centre.
std::vector<Blob> blobs(const Picture& p, Rgb colour) {
    std::vector<int> seen(static_cast<std::size_t>(p.width) * p.height, 0);
    std::vector<Blob> found;
    for (int y = 0; y < p.height; ++y) {
        for (int x = 0; x < p.width / 2; ++x) {
            if (seen[y * p.width + x] || !(p.at(x, y) == colour)) {
                continue;
            }
            double sx = 0.0;
            double sy = 0.0;
            int count = 0;
            std::vector<std::pair<int, int>> todo = {{x, y}};
            seen[y * p.width + x] = 1;
            while (!todo.empty()) {
                const auto [cx, cy] = todo.back();
                todo.pop_back();
                sx += cx;
                sy += cy;
                ++count;
                for (const auto& [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
                    const int nx = cx + dx;
                    const int ny = cy + dy;
                    if (nx >= 0 && ny >= 0 && nx < p.width / 2 && ny < p.height &&
                        !seen[ny * p.width + nx] && p.at(nx, ny) == colour) {
                        seen[ny * p.width + nx] = 1;
                        todo.push_back({nx, ny});
                    }
                }
            }
            found.push_back({sx / count, sy / count, count});
        }
    }
    return found;
}

// The mode shapes as the console printed them: the components after each "第kモード".
std::vector<std::vector<double>> printedShapes(const std::string& out, int n) {
    std::vector<std::vector<double>> shapes;
    std::size_t at = out.find("振動モード");
    for (int k = 1; k <= n; ++k) {
        at = out.find("モード \n (", at) + std::string("モード \n (").size();
        std::vector<double> row;
        char* end = nullptr;
        const char* c = out.c_str() + at;
        for (int i = 0; i < n; ++i) {
            row.push_back(std::strtod(c, &end));
            c = end;
        }
        shapes.push_back(row);
    }
    return shapes;
}

// 'v' draws every mode as a row: each row's discs, in the masses' colours, are an affine image of
// the printed shape (within 2 pixels), rows in the order of the modes, no disc covered by another;
// 'v' again brings the chart back as it was, and 'w' likewise.
class ModeFigure : public ::testing::TestWithParam<int> {};

TEST_P(ModeFigure, RowsAreThePrintedShapes) {
    const int n = GetParam();
    std::string dialogue = std::to_string(n) + "\n";
    for (int i = 0; i < n; ++i) {
        dialogue += i % 2 == 0 ? "1 " : "2 ";
    }
    dialogue += "\n";
    for (int i = 0; i <= n; ++i) {
        dialogue += i % 3 == 0 ? "3 " : "1 ";
    }
    dialogue += "\n" + std::to_string(n) + "\ny\n1\n";
    RunningProgram run{dialogue};
    ASSERT_TRUE(run.started());
    run.pressTimes('s', 30);
    const Picture chart = run.drawn();
    run.press('v');
    const Picture figure = run.drawn();
    const std::vector<std::vector<double>> shapes = printedShapes(run.program().out(), n);
    std::vector<std::vector<Blob>> discs;
    for (int i = 0; i < n; ++i) {
        discs.push_back(blobs(figure, massColour(i)));
        ASSERT_EQ(static_cast<int>(discs[i].size()), n) << "mass " << i + 1 << ": a disc a row";
        std::sort(discs[i].begin(), discs[i].end(),
                  [](const Blob& a, const Blob& b) { return a.y < b.y; });
    }
    int smallest = 1 << 30;
    int largest = 0;
    for (int r = 0; r < n; ++r) {
        // Least squares of y = a + b * shape over the row, then each disc's distance from it.
        double sx = 0, sy = 0, sxx = 0, sxy = 0;
        for (int i = 0; i < n; ++i) {
            const double s = shapes[r][i];
            const double y = discs[i][r].y;
            sx += s;
            sy += y;
            sxx += s * s;
            sxy += s * y;
            smallest = std::min(smallest, discs[i][r].pixels);
            largest = std::max(largest, discs[i][r].pixels);
        }
        const double b = n > 1 ? (n * sxy - sx * sy) / (n * sxx - sx * sx) : 0.0;
        const double a = (sy - b * sx) / n;
        for (int i = 0; i < n; ++i) {
            EXPECT_NEAR(discs[i][r].y, a + b * shapes[r][i], 2.0)
                << "mode " << r + 1 << ", mass " << i + 1;
        }
        if (r > 0) {
            EXPECT_GT(discs[0][r].y, discs[0][r - 1].y) << "rows in the order of the modes";
        }
    }
    EXPECT_GE(smallest, largest * 3 / 4) << "no disc covered by its neighbour";
    run.press('v');
    EXPECT_EQ(run.drawn().pixels, chart.pixels) << "the chart back as it was";
    run.press('w');
    EXPECT_NE(run.drawn().pixels, chart.pixels) << "the spectrum in its place";
    run.press('w');
    EXPECT_EQ(run.drawn().pixels, chart.pixels);
}

INSTANTIATE_TEST_SUITE_P(Masses, ModeFigure, ::testing::Values(3, 6, 20));

} // namespace
