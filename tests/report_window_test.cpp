// What a student takes away, in the real window under Xvfb: 'p' saves the picture on screen (the
// PNG decoded equals the window's pixels) and the run's record, 'e' shows the energy panel with a
// mode start's one full bar, and a folder that cannot be written is said and the program goes on.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "waiting.h"
#include "window_fixture.h"
#include "working_folder.h"

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#include <stb_image.h>

namespace {

const std::string Examples = std::string(TRANSCRIPT_DIR) + "/../../examples";
const std::string SavedLine = "画像と応答データを保存しました：";

// The program is started from a folder of the test's own.
using ReportWindow = WorkingFolder;

// The two files in the console's line: the picture's full path, the record's name beside it.
bool savedNames(const std::string& out, std::string* picture, std::string* history) {
    const std::size_t at = out.rfind(SavedLine);
    if (at == std::string::npos) {
        return false;
    }
    const std::string names = out.substr(at + SavedLine.size());
    const std::size_t comma = names.find("，");
    const std::size_t end = names.find('\n');
    *picture = names.substr(0, comma);
    *history = names.substr(comma + std::string("，").size(), end - comma - 3);
    return true;
}

TEST_F(ReportWindow, SavedPictureIsTheWindowAndTheRecordEveryFrame) {
    RunningProgram run{readFile(Examples + "/two_masses_typed_start.txt")};
    ASSERT_TRUE(run.started());
    run.pressTimes('s', 20);
    run.press('p');
    const Picture window = run.drawn();
    ASSERT_TRUE(run.program().waitForOutput(SavedLine));
    ASSERT_TRUE(run.program().waitForOutput("\n"));
    std::string picture;
    std::string history;
    ASSERT_TRUE(savedNames(run.program().out(), &picture, &history)) << run.program().out();
    ASSERT_EQ(picture.substr(0, folder.size() + 14), folder + "/spring-chain-") << "the folder";
    picture = picture.substr(folder.size() + 1);
    EXPECT_EQ(picture.substr(picture.size() - 4), ".png");
    EXPECT_EQ(history, picture.substr(0, picture.size() - 4) + ".csv");

    int width = 0;
    int height = 0;
    int channels = 0;
    unsigned char* rgb = stbi_load((folder + "/" + picture).c_str(), &width, &height, &channels, 3);
    ASSERT_NE(rgb, nullptr) << picture;
    ASSERT_EQ(width, window.width);
    ASSERT_EQ(height, window.height);
    long differing = 0;
    for (int i = 0; i < width * height; ++i) {
        const Rgb pixel = {rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2]};
        differing += pixel == window.pixels[i] ? 0 : 1;
    }
    stbi_image_free(rgb);
    EXPECT_EQ(differing, 0) << "pixels unlike the window's";

    // n, masses, springs, omega and two modes, the column titles, then the start and 20 frames.
    const std::string csv = readFile(folder + "/" + history);
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 6 + 1 + 21);
    EXPECT_NE(csv.find("t [s],x1 [m],x2 [m]\n0,"), std::string::npos);
    EXPECT_NE(csv.find("\n0.8,"), std::string::npos) << "the 20th frame";

    run.press('p');
    run.drawn();
    ASSERT_TRUE(run.program().waitForOutput(SavedLine));
    ASSERT_TRUE(run.program().waitForOutput("\n"));
    std::string again;
    ASSERT_TRUE(savedNames(run.program().out(), &again, &history));
    EXPECT_NE(again, picture) << "a second press never writes over the first";
}

// With the spectrum shown, 'p' writes it too, beside the picture and the record under the same
// name, and the console names all three; the picture is the window as shown, spectrum and all.
TEST_F(ReportWindow, TheSpectrumShownIsSavedToo) {
    RunningProgram run{readFile(Examples + "/two_masses_typed_start.txt")};
    ASSERT_TRUE(run.started());
    run.pressTimes('s', 50);
    run.press('w');
    run.press('p');
    run.drawn();
    const std::string line = "画像と応答データとスペクトルを保存しました：";
    ASSERT_TRUE(run.program().waitForOutput(line));
    ASSERT_TRUE(run.program().waitForOutput("\n"));
    const std::string out = run.program().out();
    const std::string names = out.substr(out.rfind(line) + line.size());
    const std::size_t png = names.find(".png");
    const std::size_t stem = names.rfind('/', png) + 1;
    const std::string name = names.substr(stem, png - stem);
    EXPECT_NE(names.find("，" + name + ".csv，" + name + "-spectrum.csv\n"), std::string::npos)
        << names;
    // The details, the titles, then one row per bin: 200 steps after the start, 200 samples.
    const std::string csv = readFile(folder + "/" + name + "-spectrum.csv");
    EXPECT_EQ(csv.find("# sample interval [s],0.01\n# samples,200\n# first sample [s],0.01\n"
                       "# last sample [s],2\n"),
              0u)
        << csv.substr(0, 200);
    EXPECT_NE(csv.find("\nomega [rad/s],A1 [m],A2 [m]\n0,"), std::string::npos);
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 6 + 1 + 101);
}

// Grey levels of the panel's bars: a mode's full height, and its share.
bool near(Rgb pixel, int grey) {
    return std::abs(pixel.r - grey) <= 2 && std::abs(pixel.g - grey) <= 2 &&
           std::abs(pixel.b - grey) <= 2;
}

// The panel's box, by its black border 4 pixels in from the window's right edge: in the lower
// corner, or (the compact panel, where the chain covers the lower one) in the upper, its top the
// first border from the top.
struct PanelBox {
    int left = -1;
    int top = -1;
    int right = -1;
    int bottom = -1;
};

bool blackRunLeftOf(const Picture& p, int x, int y) {
    for (int k = 0; k < 10; ++k) {
        if (!(p.at(x - k, y) == Black)) {
            return false;
        }
    }
    return true;
}

PanelBox findPanel(const Picture& p) {
    PanelBox box;
    box.right = p.width - 5;
    const bool lower = blackRunLeftOf(p, box.right, p.height - 5);
    int edge = p.height - 5;
    for (int y = 0; !lower && y < p.height && edge == p.height - 5; ++y) {
        if (blackRunLeftOf(p, box.right, y)) {
            edge = y;
        }
    }
    const int inward = lower ? -1 : 1;
    int other = -1;
    for (int y = edge + inward; y > 0 && y < p.height && other < 0; y += inward) {
        if (blackRunLeftOf(p, box.right - 1, y)) {
            other = y;
        }
    }
    box.top = lower ? other : edge;
    box.bottom = lower ? edge : other;
    for (int x = box.right; box.top >= 0 && x >= 0 && p.at(x, edge) == Black; --x) {
        box.left = x;
    }
    return box;
}

// The bars' greys along their base, left to right: 'L' for a mode's empty height, 'D' for its
// share.
std::string barsAlongTheBase(const Picture& p, const PanelBox& box) {
    for (int y = box.bottom - 2; y > box.top; --y) {
        std::string runs;
        char last = ' ';
        for (int x = box.left + 1; x < box.right; ++x) {
            const char c = near(p.at(x, y), 224) ? 'L' : (near(p.at(x, y), 115) ? 'D' : ' ');
            if (c != ' ' && c != last) {
                runs += c;
            }
            last = c;
        }
        if (!runs.empty()) {
            return runs;
        }
    }
    return "";
}

TEST_F(ReportWindow, EnergyPanelShowsAModeStartAsOneFullBar) {
    RunningProgram run{readFile(Examples + "/three_masses_mode_start.txt")};
    ASSERT_TRUE(run.started());
    run.pressTimes('s', 5);
    const Picture without = run.drawn();
    run.press('e');
    const Picture panel = run.drawn();
    ASSERT_TRUE(run.program().waitForOutput("各モードのエネルギーの割合\n"));
    ASSERT_TRUE(run.program().waitForOutput("第3モード"));
    ASSERT_TRUE(run.program().waitForOutput("\n"));
    const std::string out = run.program().out();
    EXPECT_NE(out.find("第1モード　ω0=7.6537[rad/s]　  0.0000[%]\n"), std::string::npos) << out;
    EXPECT_NE(out.find("第3モード　ω0=18.4776[rad/s]　100.0000[%]\n"), std::string::npos) << out;
    const PanelBox box = findPanel(panel);
    ASSERT_GT(box.left, 0);
    EXPECT_EQ(barsAlongTheBase(panel, box), "LLD") << "mode 3 has it all";
    run.press('e');
    EXPECT_EQ(run.drawn().pixels, without.pixels) << "switched off, the picture as before";
}

// Twenty masses 1.2 m down swing through the panel's corner: the panel covers them, not they it,
// and at every size down to 200 x 200 it stays inside the window with its text. Below 400 pixels
// the panel is compact, within a third of the window, in the upper corner that the chain leaves
// free.
class EnergyPanelFits : public ::testing::TestWithParam<int> {};

TEST_P(EnergyPanelFits, OverTheChainAndInsideTheWindow) {
    const int size = GetParam();
    std::string dialogue = uniformChain(20, 1.0, 1.0) + "20\nn\n";
    for (int i = 0; i < 20; ++i) {
        dialogue += "-1.2 0\n";
    }
    const std::string geometry = std::to_string(size) + "x" + std::to_string(size) + "+0+0";
    RunningProgram run{dialogue, {"-geometry", geometry}};
    ASSERT_TRUE(run.started());
    run.press('e');
    const Picture p = run.drawn();
    const PanelBox box = findPanel(p);
    ASSERT_GE(box.left, 0) << "the panel's border";
    ASSERT_GT(box.top, 0);
    ASSERT_GT(box.bottom, box.top);
    if (size < 400) {
        EXPECT_LE((box.right - box.left + 1) * (box.bottom - box.top + 1), size * size / 3);
        EXPECT_LT(box.top, size / 2) << "the chain hangs in the lower corner";
    }
    int text = 0;
    for (int y = box.top + 1; y < box.bottom; ++y) {
        for (int x = box.left + 1; x < box.right; ++x) {
            const Rgb c = p.at(x, y);
            ASSERT_TRUE(c.r == c.g && c.g == c.b) << "no mass shows through at " << x << ", " << y;
            text += c.r < 60 ? 1 : 0;
        }
        for (int x = box.right + 1; x < size; ++x) {
            const Rgb c = p.at(x, y);
            EXPECT_FALSE(c.r == c.g && c.g == c.b && c.r > 0 && c.r < 60)
                << "no text runs off the edge at " << x << ", " << y;
        }
    }
    EXPECT_GT(text, 100) << "the numbers are written";
}

INSTANTIATE_TEST_SUITE_P(Sizes, EnergyPanelFits, ::testing::Values(800, 400, 200));

TEST(UnwritableFolder, IsSaidAndTheProgramGoesOn) {
    ASSERT_EQ(chdir("/proc"), 0); // refused even to root
    RunningProgram run{readFile(Examples + "/two_masses_typed_start.txt")};
    ASSERT_EQ(chdir("/"), 0);
    ASSERT_TRUE(run.started());
    run.press('p');
    run.drawn();
    EXPECT_TRUE(waitUntil(PatientSeconds, [&] {
        return run.program().err().find("/proc に保存できませんでした：") != std::string::npos;
    })) << run.program().err();
    EXPECT_NE(run.program().err().find("書き込みの権限がありません"), std::string::npos);
    const long frames = run.frames();
    run.press('s');
    run.drawn();
    EXPECT_EQ(run.frames(), frames + 1);
    EXPECT_TRUE(run.program().running());
}

} // namespace
