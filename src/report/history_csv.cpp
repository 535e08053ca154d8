// The run's record as CSV that opens as one table: the run's details on lines that begin with '#'
// (which pandas' and R's readers take as comments, and a spreadsheet shows as text), then one
// row of column titles and rows of the same width. The numbers are formatted by snprintf, then
// any decimal comma that a locale's LC_NUMERIC gave them is turned back into '.', so the file
// reads the same everywhere (a %g number holds no other comma). No streams: they would add their
// locale machinery to the page's download.
#include <cstdio>
#include <string>

#include "report/report.h"

namespace {

// All that a double's displacement carries reliably; the frequencies, which the record promises
// to full precision, keep the 17 digits that give back the very double.
constexpr const char* Measured = "%.15g";
constexpr const char* FullPrecision = "%.17g";

void appendNumber(std::string* out, double value, const char* format = Measured) {
    char text[40];
    std::snprintf(text, sizeof text, format, value);
    for (char* c = text; *c != '\0'; ++c) {
        *out += *c == ',' ? '.' : *c;
    }
}

void detailLine(std::string* out, const std::string& label, const double* values, int count,
                const char* format = Measured) {
    *out += "# " + label;
    for (int i = 0; i < count; ++i) {
        *out += ',';
        appendNumber(out, values[i], format);
    }
    *out += '\n';
}

void header(std::string* out, const MassSpringChain& chain, const ModalResults& modes) {
    const int nfree = chain.nfree;
    *out += "# n," + std::to_string(nfree) + '\n';
    detailLine(out, "masses [kg]", chain.m, nfree);
    detailLine(out, "springs [N/m]", chain.K, nfree + 1);
    // The console prints the search's digits; the record has them all.
    detailLine(out, "omega [rad/s] (to full precision)", modes.PolishedOmega, nfree, FullPrecision);
    for (int r = 0; r < nfree; ++r) {
        detailLine(out, "mode " + std::to_string(r + 1), modes.ModeShape[r], nfree);
    }
    *out += "t [s]";
    for (int i = 1; i <= nfree; ++i) {
        *out += ",x" + std::to_string(i) + " [m]";
    }
    *out += '\n';
}

} // namespace

std::string historyCsv(const MassSpringChain& chain, const ModalResults& modes,
                       const RunRecord& record) {
    std::string out;
    header(&out, chain, modes);
    const int oldest =
        (record.RecordNewest - record.RecordCount + 1 + HistoryLength) % HistoryLength;
    for (int k = 0; k < record.RecordCount; ++k) {
        const int row = (oldest + k) % HistoryLength;
        appendNumber(&out, record.RecordedTime[row]);
        for (int i = 0; i < chain.nfree; ++i) {
            out += ',';
            appendNumber(&out, record.RecordedDisplacement[row][i]);
        }
        out += '\n';
    }
    return out;
}

std::string spectrumCsv(const MotionSpectrum& s) {
    std::string out;
    detailLine(&out, "sample interval [s]", &s.interval, 1);
    out += "# samples," + std::to_string(s.length) + '\n';
    detailLine(&out, "first sample [s]", &s.firstTime, 1);
    detailLine(&out, "last sample [s]", &s.lastTime, 1);
    out += "# window,Hann: w[n] = 0.5 - 0.5 cos(2 pi n / N) for n = 0 ... N - 1\n";
    out +=
        "# amplitude,2 |X[k]| / (N / 2): a sinusoid of amplitude A at a bin's frequency reads A\n";
    out += "omega [rad/s]";
    for (int c = 1; c <= s.curves; ++c) {
        out += ",A" + std::to_string(c) + " [m]";
    }
    out += '\n';
    for (int k = 0; k < s.bins; ++k) {
        appendNumber(&out, k * s.binWidth);
        for (int c = 0; c < s.curves; ++c) {
            out += ',';
            appendNumber(&out, s.amplitudes[c * s.stride + k]);
        }
        out += '\n';
    }
    return out;
}
