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

// Grey levels of the panel's bars: a mode's full height, and its share.
bool near(Rgb pixel, int grey) {
    return std::abs(pixel.r - grey) <= 2 && std::abs(pixel.g - grey) <= 2 &&
           std::abs(pixel.b - grey) <= 2;
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

    // Slot r of three spans x = 0.06 + 0.3 r ... + 0.18; the bars stand on y = -0.96.
    const int row = static_cast<int>(rowOf(-0.90));
    for (int r = 0; r < 3; ++r) {
        const int column = static_cast<int>(columnOf(0.06 + 0.3 * r + 0.09));
        EXPECT_TRUE(near(panel.at(column, row), r == 2 ? 115 : 224))
            << "mode " << r + 1 << " bar " << int(panel.at(column, row).r);
        EXPECT_EQ(without.at(column, row), White);
    }
    run.press('e');
    EXPECT_EQ(run.drawn().pixels, without.pixels) << "switched off, the picture as before";
}

TEST(UnwritableFolder, IsSaidAndTheProgramGoesOn) {
    ASSERT_EQ(chdir("/proc"), 0); // refused even to root
    RunningProgram run{readFile(Examples + "/two_masses_typed_start.txt")};
    ASSERT_EQ(chdir("/"), 0);
    ASSERT_TRUE(run.started());
    run.press('p');
    run.drawn();
    EXPECT_TRUE(waitUntil(PatientSeconds, [&] {
        return run.program().err().find(" を保存できませんでした：") != std::string::npos;
    })) << run.program().err();
    EXPECT_NE(run.program().err().find("ファイル spring-chain-"), std::string::npos);
    const long frames = run.frames();
    run.press('s');
    run.drawn();
    EXPECT_EQ(run.frames(), frames + 1);
    EXPECT_TRUE(run.program().running());
}

} // namespace
