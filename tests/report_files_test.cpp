// The files saved for a report: the CSV read back as a student's spreadsheet would, the PNG
// decoded by stb_image, and the names: local time, never over a file that exists, and a folder
// that cannot be written.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/frame.h"
#include "app/run_start.h"
#include "chain_fixture.h"
#include "modal/modal.h"
#include "model/simulation_state.h"
#include "report/report.h"
#include "working_folder.h"

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#include <stb_image.h>

using namespace SimulationState;

namespace {

constexpr double FrameTime = 0.04; // s

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::stringstream in(text);
    std::string part;
    while (std::getline(in, part, separator)) {
        parts.push_back(part);
    }
    return parts;
}

// Three masses, curves of the first two drawn, from a typed start; then frames of motion.
void runFrames(int frames) {
    loadChain({{1.0, 2.0, 0.5}, {10, 20, 5, 40}});
    SearchNaturalFrequencies();
    ComputeModeShapes();
    const double start[3] = {0.1, -0.05, 0.02};
    for (int i = 0; i < Entries.chain.nfree; ++i) {
        Entries.start.y0[i] = start[i];
        Entries.start.v0[i] = 0.0;
    }
    Entries.start.ncurve = 2;
    Entries.start.MaxAmplitude = 1.0;
    Motion.SimTime = 0.0;
    startRun();
    for (int f = 0; f < frames; ++f) {
        advanceFrame();
    }
}

// The record of 600 frames written while the C library writes numbers with a decimal comma
// (German, compiled for the test by localedef from Debian's locales package).
std::vector<std::string> csvLinesInAGermanLocale() {
    char folder[] = "/tmp/spring-chain-locale-XXXXXX";
    EXPECT_NE(mkdtemp(folder), nullptr);
    const std::string compile =
        std::string("localedef -i de_DE -f UTF-8 ") + folder + "/de_DE.UTF-8 > /dev/null 2>&1";
    EXPECT_EQ(std::system(compile.c_str()), 0) << "localedef";
    setenv("LOCPATH", folder, 1);
    EXPECT_NE(std::setlocale(LC_NUMERIC, "de_DE.UTF-8"), nullptr);
    char half[8];
    std::snprintf(half, sizeof half, "%.1f", 0.5);
    EXPECT_STREQ(half, "0,5") << "the locale's decimal comma";
    runFrames(600);
    const std::vector<std::string> lines =
        split(historyCsv(Entries.chain, Entries.modes, Motion.record), '\n');
    std::setlocale(LC_NUMERIC, "C");
    unsetenv("LOCPATH");
    EXPECT_EQ(std::system((std::string("rm -rf ") + folder).c_str()), 0);
    return lines;
}

TEST(HistoryCsv, HeaderThenEveryMassInTimeOrderWhateverTheLocale) {
    const std::vector<std::string> lines = csvLinesInAGermanLocale();
    ASSERT_EQ(lines.size(), 5u + 3u + HistoryLength);
    EXPECT_EQ(lines[0], "# n,3");
    EXPECT_EQ(lines[1], "# masses [kg],1,2,0.5");
    EXPECT_EQ(lines[2], "# springs [N/m],10,20,5,40");
    const std::vector<std::string> omega = split(lines[3], ',');
    EXPECT_EQ(omega[0], "# omega [rad/s] (to full precision)");
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(std::stod(omega[1 + k]), Entries.modes.PolishedOmega[k]) << "the very double";
    }
    for (int r = 0; r < 3; ++r) {
        const std::vector<std::string> shape = split(lines[4 + r], ',');
        ASSERT_EQ(shape.size(), 4u);
        EXPECT_EQ(shape[0], "# mode " + std::to_string(r + 1));
        EXPECT_EQ(shape[1], "1");
    }
    EXPECT_EQ(lines[7], "t [s],x1 [m],x2 [m],x3 [m]");

    // The last HistoryLength frames, the oldest first; the newest is the state reached.
    std::vector<std::vector<double>> rows;
    for (std::size_t k = 8; k < lines.size(); ++k) {
        const std::vector<std::string> cells = split(lines[k], ',');
        ASSERT_EQ(cells.size(), 4u) << lines[k];
        rows.push_back(
            {std::stod(cells[0]), std::stod(cells[1]), std::stod(cells[2]), std::stod(cells[3])});
    }
    EXPECT_NEAR(rows.front()[0], (600 - HistoryLength + 1) * FrameTime, 1e-9);
    for (std::size_t k = 1; k < rows.size(); ++k) {
        EXPECT_NEAR(rows[k][0] - rows[k - 1][0], FrameTime, 1e-9) << "row " << k;
    }
    EXPECT_NEAR(rows.back()[0], Motion.SimTime, 1e-12);
    // Each time is its frame's count times 0.04 s, as a decimal reads it (24, not 24.000000000001).
    char time[32];
    std::snprintf(time, sizeof time, "%.15g", (600 - HistoryLength + 1) * FrameTime);
    EXPECT_EQ(split(lines[8], ',')[0], time);
    EXPECT_EQ(split(lines.back(), ',')[0], "24");
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(rows.back()[1 + i], Motion.StateVector[2 * i], 1e-13);
    }
    // The chart's present sweep is the record's newest rows.
    for (int s = 0; s <= Picture.HistoryIndex; ++s) {
        const std::vector<double>& row = rows[rows.size() - 1 - Picture.HistoryIndex + s];
        for (int c = 0; c < Entries.start.ncurve; ++c) {
            EXPECT_NEAR(row[1 + c], Picture.ResponseHistory[c][s], 1e-13) << "sample " << s;
        }
    }
}

TEST(HistoryCsv, AShortRunHasARowPerFrameFromTheStart) {
    runFrames(3);
    const std::vector<std::string> lines =
        split(historyCsv(Entries.chain, Entries.modes, Motion.record), '\n');
    ASSERT_EQ(lines.size(), 8u + 4u);
    EXPECT_EQ(lines[8], "0,0.1,-0.05,0.02");
    EXPECT_EQ(split(lines[11], ',')[0], "0.12");
}

TEST(PngImage, DecodesToThePicture) {
    const int width = 7;
    const int height = 3;
    std::vector<unsigned char> rgb(width * height * 3);
    for (std::size_t i = 0; i < rgb.size(); ++i) {
        rgb[i] = static_cast<unsigned char>(i * 37 + 11);
    }
    const std::string png = pngImage(width, height, rgb.data());
    int w = 0;
    int h = 0;
    int channels = 0;
    unsigned char* decoded =
        stbi_load_from_memory(reinterpret_cast<const unsigned char*>(png.data()),
                              static_cast<int>(png.size()), &w, &h, &channels, 3);
    ASSERT_NE(decoded, nullptr);
    EXPECT_EQ(w, width);
    EXPECT_EQ(h, height);
    EXPECT_EQ(std::vector<unsigned char>(decoded, decoded + rgb.size()), rgb);
    stbi_image_free(decoded);
}

// Each test runs in a folder of its own, at a time zone the names can be checked against.
class ReportFolder : public WorkingFolder {
  protected:
    void SetUp() override {
        WorkingFolder::SetUp();
        setenv("TZ", "UTC", 1);
        tzset();
        runFrames(2);
    }
    static std::string read(const std::string& name) {
        std::ifstream in(name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    const unsigned char pixel[3] = {10, 20, 30};
    const std::time_t when = 1796631600; // 2026-12-07 08:20:00 UTC
    SavedReport save() const {
        return saveReport(
            {{".png", pngImage(1, 1, pixel), "image/png"},
             {".csv", historyCsv(Entries.chain, Entries.modes, Motion.record), "text/csv"}},
            when);
    }
};

TEST_F(ReportFolder, NamedByTheTimeNeverOverAFileThatExists) {
    EXPECT_EQ(reportStem(when), "spring-chain-20261207-082000");
    const SavedReport first = save();
    ASSERT_TRUE(first.saved) << first.folder << ": " << first.error;
    ASSERT_EQ(first.names.size(), 2u);
    EXPECT_EQ(first.names[0], folder + "/spring-chain-20261207-082000.png") << "the full path";
    EXPECT_EQ(first.names[1], "spring-chain-20261207-082000.csv");
    EXPECT_EQ(read(first.names[0]), pngImage(1, 1, pixel));
    EXPECT_EQ(read(first.names[1]), historyCsv(Entries.chain, Entries.modes, Motion.record));

    const SavedReport second = save();
    EXPECT_EQ(second.names[0], folder + "/spring-chain-20261207-082000-2.png");
    EXPECT_EQ(second.names[1], "spring-chain-20261207-082000-2.csv");

    // Someone's own file of the next name is kept, and its pair is not split.
    std::ofstream("spring-chain-20261207-082000-3.csv") << "mine";
    const SavedReport third = save();
    EXPECT_EQ(third.names[0], folder + "/spring-chain-20261207-082000-4.png");
    EXPECT_EQ(read("spring-chain-20261207-082000-3.csv"), "mine");
    struct stat info;
    EXPECT_NE(stat("spring-chain-20261207-082000-3.png", &info), 0)
        << "no picture without its record";

    // Past -99 the second's names are all taken, and the student is told that.
    for (int copy = 5; copy <= 99; ++copy) {
        std::ofstream("spring-chain-20261207-082000-" + std::to_string(copy) + ".png") << "x";
    }
    const SavedReport none = save();
    EXPECT_FALSE(none.saved);
    EXPECT_TRUE(none.namesTaken);
    EXPECT_EQ(none.firstName, "spring-chain-20261207-082000.png");
    EXPECT_EQ(none.lastName, "spring-chain-20261207-082000-99.png");
}

// /proc takes no new file, even from root: as good as a folder that may not be written.
TEST_F(ReportFolder, AFolderThatCannotBeWrittenIsNamedWithTheReason) {
    ASSERT_EQ(chdir("/proc"), 0);
    const SavedReport saved = save();
    EXPECT_FALSE(saved.saved);
    EXPECT_EQ(saved.folder, "/proc");
    EXPECT_TRUE(saved.error == EACCES || saved.error == EROFS || saved.error == EPERM)
        << std::strerror(saved.error);
}

} // namespace
