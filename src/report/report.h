// What a student takes away for a report: the window's picture as PNG and the run's record as
// CSV (and, where the spectrum is shown, the spectrum as CSV), files named by the local date and
// time (spring-chain-YYYYMMDD-HHMMSS, then -2, -3, ... while a file of the name exists), never
// written over a file that exists. Where they go is the platform's (file_output.h): the working
// folder on the desktop, the downloads in a page.
#pragma once

#include <ctime>
#include <string>
#include <vector>

#include "model/records.h"

// One file of a report: what follows the name's stem (".png", ".csv", "-spectrum.csv"), its bytes
// and its media type.
struct ReportFile {
    std::string ending;
    std::string bytes;
    const char* type;
};

struct SavedReport {
    bool saved;
    std::vector<std::string> names; // every file's name, the first with its folder's full path
    std::string folder;             // when not saved: the folder the files were to go to,
    int error;                      // and why (an errno value), or
    bool namesTaken;                // every name of the second is taken: firstName ... lastName
    std::string firstName;
    std::string lastName;
};

// Saves the files under one name; all of them or none.
SavedReport saveReport(const std::vector<ReportFile>& files, std::time_t now);

// The run's record as CSV, UTF-8 with '.' for the decimal point whatever the locale: labelled
// lines of the run's details, each beginning with '#' (n, the masses, the springs, omega to 17
// digits, each mode's shape), then the column titles and one row per recorded frame, oldest
// first: the time and every mass's displacement.
std::string historyCsv(const MassSpringChain& chain, const ModalResults& modes,
                       const RunRecord& record);

// The spectrum of the motion as CSV, as historyCsv writes numbers: lines of its details beginning
// with '#' (the sample interval, the number of samples, the times of the first and the last, the
// window), then the column titles and one row per bin: its angular frequency and each drawn
// mass's amplitude.
std::string spectrumCsv(const MotionSpectrum& spectrum);

// A PNG file of the picture (rows from the top, RGB).
std::string pngImage(int width, int height, const unsigned char* rgb);

// spring-chain-YYYYMMDD-HHMMSS in the local time.
std::string reportStem(std::time_t now);
