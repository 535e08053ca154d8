#include "app/report_view.h"

#include <ctime>
#include <vector>

#include "app/frame.h"
#include "app/spectrum_view.h"
#include "model/simulation_state.h"
#include "render/render.h"
#include "report/report.h"
#include "texts/messages.h"

using SimulationState::Entries;
using SimulationState::Motion;
using SimulationState::Picture;

void saveForReport() {
    captureNextFrame();
    drawFrame();
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
    takeCapturedFrame(&width, &height, &rgb);
    std::vector<ReportFile> files = {
        {".png", pngImage(width, height, rgb.data()), "image/png"},
        {".csv", historyCsv(Entries.chain, Entries.modes, Motion.record), "text/csv"}};
    if (Picture.SpectrumShown) {
        files.push_back({"-spectrum.csv", spectrumCsv(motionSpectrum()), "text/csv"});
    }
    const SavedReport saved = saveReport(files, std::time(nullptr));
    if (saved.saved && saved.names.size() > 2) {
        printSavedWithSpectrum(saved.names[0].c_str(), saved.names[1].c_str(),
                               saved.names[2].c_str());
    } else if (saved.saved) {
        printSaved(saved.names[0].c_str(), saved.names[1].c_str());
    } else if (saved.namesTaken) {
        printNamesTaken(saved.firstName.c_str(), saved.lastName.c_str());
    } else {
        printNotSaved(saved.folder.c_str(), saved.error);
    }
}
