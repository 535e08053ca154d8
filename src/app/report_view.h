// The files a student takes away for a report.
#pragma once

// 'p': the instant the motion has reached, drawn again and read back, saved as PNG with the run's
// record as CSV; the console names the two files, or the one that could not be written and why.
void saveForReport();
