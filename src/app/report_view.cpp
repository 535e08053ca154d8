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
    const std::string csv = historyCsv(Entries.chain, Entries.modes, Motion.record);
    const SavedReport saved = saveReport(width, height, rgb.data(), csv, std::time(nullptr));
    if (saved.saved) {
        printSaved(saved.picture.c_str(), saved.history.c_str());
    } else if (saved.namesTaken) {
        printNamesTaken(saved.failedFile.c_str(), saved.lastName.c_str());
    } else {
        printNotSaved(saved.failedFile.c_str(), saved.reason.c_str());
    }
}
