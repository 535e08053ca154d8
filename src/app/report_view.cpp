#include "app/report_view.h"

#include <ctime>
#include <vector>

#include "app/frame.h"
#include "model/simulation_state.h"
#include "render/render.h"
#include "report/report.h"
#include "texts/messages.h"

using SimulationState::Entries;
using SimulationState::Motion;

void saveForReport() {
    captureNextFrame();
    drawFrame();
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
    takeCapturedFrame(&width, &height, &rgb);
    const std::vector<ReportFile> files = {
        {".png", pngImage(width, height, rgb.data()), "image/png"},
        {".csv", historyCsv(Entries.chain, Entries.modes, Motion.record), "text/csv"}};
    const SavedReport saved = saveReport(files, std::time(nullptr));
    if (saved.saved) {
        printSaved(saved.names[0].c_str(), saved.names[1].c_str());
    } else if (saved.namesTaken) {
        printNamesTaken(saved.firstName.c_str(), saved.lastName.c_str());
    } else {
        printNotSaved(saved.folder.c_str(), saved.error);
    }
}
