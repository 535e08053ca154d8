#include "report/report.h"

#include <cerrno>

#include "report/file_output.h"

namespace {

// Presses of 'p' within one second get names -2, -3, ...; past this many the files are refused.
constexpr int MostCopiesPerSecond = 99;

// A folder that is there but takes no new file (/proc, say) is as good as one that may not be
// written: the student is told so, rather than that the folder is missing.
SavedReport notSaved(int error) {
    const std::string folder = folderOfFiles();
    if (error == ENOENT && folderExists(folder)) {
        error = EACCES;
    }
    return {false, {}, folder, error, false, "", ""};
}

void removeFiles(const std::vector<std::string>& names) {
    for (const std::string& name : names) {
        removeFile(name);
    }
}

} // namespace

std::string reportStem(std::time_t now) {
    char stem[64];
    std::tm local = *std::localtime(&now);
    std::strftime(stem, sizeof stem, "spring-chain-%Y%m%d-%H%M%S", &local);
    return stem;
}

// The files are written in order, and those written are taken back where one cannot follow them
// under the same name, so that a name always stands for the whole report.
SavedReport saveReport(const std::vector<ReportFile>& files, std::time_t now) {
    const std::string stem = reportStem(now);
    for (int copy = 1; copy <= MostCopiesPerSecond; ++copy) {
        const std::string name = copy == 1 ? stem : stem + "-" + std::to_string(copy);
        std::vector<std::string> written;
        int error = 0;
        for (const ReportFile& file : files) {
            error = writeNewFile(name + file.ending, file.bytes, file.type);
            if (error != 0) {
                break;
            }
            written.push_back(name + file.ending);
        }
        if (error == 0) {
            written.front() = pathInFolder(written.front());
            return {true, written, "", 0, false, "", ""};
        }
        removeFiles(written);
        if (error != EEXIST) {
            return notSaved(error);
        }
    }
    const std::string ending = files.front().ending;
    const std::string last = stem + "-" + std::to_string(MostCopiesPerSecond) + ending;
    return {false, {}, "", 0, true, stem + ending, last};
}
