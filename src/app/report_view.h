// The files a student takes away for a report.
#pragma once

// 'p': the instant the motion has reached, drawn again and read back, saved as PNG with the run's
// record as CSV (and the spectrum as CSV, while it is shown); the console names the files, or the
// folder that could not be written and why.
void saveForReport();
