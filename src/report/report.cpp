#include "report/report.h"

#include <cerrno>
#include <cstring>

#include "report/file_output.h"

namespace {

// Presses of 'p' within one second get names -2, -3, ...; past this many the files are refused.
constexpr int MostCopiesPerSecond = 99;

SavedReport notSaved(const std::string& file, int error) {
    return {false, "", "", file, std::strerror(error), false, ""};
}

} // namespace

std::string reportStem(std::time_t now) {
    char stem[64];
    std::tm local = *std::localtime(&now);
    std::strftime(stem, sizeof stem, "spring-chain-%Y%m%d-%H%M%S", &local);
    return stem;
}

// The picture is written first and taken back if the record cannot follow it under the same
// name, so that a name always stands for a pair.
SavedReport saveReport(int width, int height, const unsigned char* rgb, const std::string& csv,
                       std::time_t now) {
    const std::string stem = reportStem(now);
    const std::string png = pngImage(width, height, rgb);
    for (int copy = 1; copy <= MostCopiesPerSecond; ++copy) {
        const std::string name = copy == 1 ? stem : stem + "-" + std::to_string(copy);
        const int pictureError = writeNewFile(name + ".png", png, "image/png");
        if (pictureError == EEXIST) {
            continue;
        }
        if (pictureError != 0) {
            return notSaved(name + ".png", pictureError);
        }
        const int historyError = writeNewFile(name + ".csv", csv, "text/csv");
        if (historyError == 0) {
            return {true, pathInFolder(name + ".png"), name + ".csv", "", "", false, ""};
        }
        removeFile(name + ".png");
        if (historyError != EEXIST) {
            return notSaved(name + ".csv", historyError);
        }
    }
    const std::string last = stem + "-" + std::to_string(MostCopiesPerSecond) + ".png";
    return {false, "", "", stem + ".png", "", true, last};
}
