// What a student takes away for a report: the window's picture as PNG and the run's record as
// CSV, two files named by the local date and time (spring-chain-YYYYMMDD-HHMMSS, then -2, -3, ...
// while a file of the name exists), never written over a file that exists. Where they go is the
// platform's (file_output.h): the working folder on the desktop, the downloads in a page.
#pragma once

#include <ctime>
#include <string>

#include "model/records.h"

struct SavedReport {
    bool saved;
    std::string picture;    // the PNG's full path (its name, where there is no folder)
    std::string history;    // the CSV's name, in the same folder
    std::string failedFile; // when not saved: the file that could not be written,
    std::string reason;     // and why (strerror), or
    bool namesTaken;        // every name of the second is taken: failedFile ... lastName
    std::string lastName;
};

// Saves the picture (rows from the top, RGB) and the run's record (historyCsv); both or neither.
SavedReport saveReport(int width, int height, const unsigned char* rgb, const std::string& csv,
                       std::time_t now);

// The run's record as CSV, UTF-8 with '.' for the decimal point whatever the locale: labelled
// header lines (n, the masses, the springs, omega, each mode's shape), the column titles, then
// one row per recorded frame, oldest first: the time and every mass's displacement.
std::string historyCsv(const MassSpringChain& chain, const ModalResults& modes,
                       const RunRecord& record);

// A PNG file of the picture (rows from the top, RGB).
std::string pngImage(int width, int height, const unsigned char* rgb);

// spring-chain-YYYYMMDD-HHMMSS in the local time.
std::string reportStem(std::time_t now);
