#include "dialogue/dialogue.h"

#include <cmath>
#include <cstdio>

#include "console/console.h"
#include "dialogue/answer_key.h"
#include "dialogue/token_reader.h"
#include "modal/modal.h"
#include "model/simulation_state.h"
#include "texts/texts.h"

using SimulationState::Entries;

namespace {

// What the dialogue accepts of a mass or a spring constant, and how it asks for one: its prompt,
// the name and the unit that the message refusing a value out of range gives with the bounds.
// Masses and spring constants are bounded so that every chain it takes has finite results and a
// stiffest mode that the window can still follow in real time.
struct Quantity {
    Text prompt;
    Text name;
    const char* unit;
    double lowest;
    double highest;
};
constexpr Quantity Mass = {Text::MassPrompt, Text::MassQuantity, "kg", 0.001, 1e6};
// A wall spring of 0 leaves that end free; an inner one of 0 cuts the chain into parts that
// vibrate independently. The modal analysis handles both.
constexpr Quantity Spring = {Text::SpringPrompt, Text::SpringQuantity, "N/m", 0.0, 1e6};
constexpr double LargestInitialValue = 1e6; // m for displacements, m/s for velocities

// Values per line in the result listings.
constexpr int ValuesPerLine = 8;

void askForDegreesOfFreedom() {
    consolePrintf(text(Text::DegreesOfFreedomPrompt), MaxDegreesOfFreedom);
}

// A count below 1 or above the capacity brings the whole block back, as the capacity always has.
void askDegreesOfFreedom() {
    for (;;) {
        consoleWrite(text(Text::Equations));
        askForDegreesOfFreedom();
        int count = 0;
        while (readIntegerToken(&count) == TokenRead::Unparsed) {
            discardRestOfLine();
            consoleWrite(text(Text::NotAnInteger));
            askForDegreesOfFreedom();
        }
        if (count >= 1 && count <= MaxDegreesOfFreedom) {
            Entries.chain.nfree = count;
            return;
        }
        discardRestOfLine();
    }
}

// An integer in [lowest, highest] behind the prompt, asked again with a message until one comes.
// Every refusal drops the rest of its line, whose other values were typed for it.
int askIntegerBetween(const char* prompt, int lowest, int highest) {
    for (;;) {
        consoleWrite(prompt);
        int value = 0;
        if (readIntegerToken(&value) == TokenRead::Unparsed) {
            discardRestOfLine();
            consoleWrite(text(Text::NotAnInteger));
        } else if (value < lowest || value > highest) {
            discardRestOfLine();
            consolePrintf(text(Text::IntegerRange), lowest, highest);
        } else {
            return value;
        }
    }
}

// Value `number` of the quantity, asked again until it lies within the bounds, which the refusal
// gives as a student types them (0.001, 1000000).
double askReal(int number, const Quantity& q) {
    for (;;) {
        consolePrintf(text(q.prompt), number);
        double value = 0.0;
        if (readRealToken(&value) == TokenRead::Unparsed) {
            consoleWrite(text(Text::NotANumber));
        } else if (!(value >= q.lowest && value <= q.highest)) {
            consolePrintf(text(Text::RealRange), text(q.name), q.lowest, q.highest, q.unit);
        } else {
            return value;
        }
        discardRestOfLine();
        consoleWrite("\n");
    }
}

void askMasses() {
    MassSpringChain& chain = Entries.chain;
    consoleWrite(text(Text::MassesPrompt));
    for (int i = 0; i < chain.nfree; ++i) {
        chain.m[i] = askReal(i + 1, Mass);
    }
}

void askSprings() {
    MassSpringChain& chain = Entries.chain;
    consoleWrite(text(Text::SpringsPrompt));
    for (int i = 0; i <= chain.nfree; ++i) {
        chain.K[i] = askReal(i + 1, Spring);
    }
}

void printList(const double* values, const char* format) {
    for (int i = 0; i < Entries.chain.nfree; ++i) {
        consolePrintf(format, values[i]);
        if ((i + 1) % ValuesPerLine == 0) {
            consoleWrite("\n  ");
        }
    }
}

void listResults() {
    const ModalResults& modes = Entries.modes;
    consoleWrite(text(Text::FrequenciesHeading));
    printList(modes.omega0, " %7.4f");
    consoleWrite(")\n");
    consoleWrite(text(Text::ModesHeading));
    for (int k = 0; k < Entries.chain.nfree; ++k) {
        consolePrintf(text(Text::ModeHeading), k + 1);
        consoleWrite("\n (");
        printList(modes.ModeShape[k], " %7.3f");
        consoleWrite(")");
    }
}

void startFromMode() {
    const int nfree = Entries.chain.nfree;
    const ModalResults& modes = Entries.modes;
    RunStart& start = Entries.start;
    char prompt[128];
    std::snprintf(prompt, sizeof prompt, text(Text::ModePrompt), nfree);
    const int mode = askIntegerBetween(prompt, 1, nfree) - 1;
    // A natural vibration starts from rest in its shape; velocities left from an earlier typed
    // start would mix other modes in.
    for (int i = 0; i < nfree; ++i) {
        start.y0[i] = modes.ModeShape[mode][i];
        start.v0[i] = 0.0;
    }
    start.MaxAmplitude = modes.ModeMaxAmplitude[mode];
    consolePrintf(text(Text::ChosenMode), mode + 1, modes.omega0[mode]);
    consoleWrite("\n (");
    printList(modes.ModeShape[mode], " %7.3f");
    consoleWrite(")");
}

bool isInitialValue(double value) {
    return std::fabs(value) <= LargestInitialValue;
}

void startFromTypedValues() {
    RunStart& start = Entries.start;
    consoleWrite(text(Text::TypedStartPrompt));
    for (int i = 0; i < Entries.chain.nfree; ++i) {
        for (;;) {
            consolePrintf(text(Text::InitialValuesPrompt), i + 1, i + 1, i + 1);
            double y = 0.0;
            double v = 0.0;
            if (readRealToken(&y) == TokenRead::Unparsed ||
                readRealToken(&v) == TokenRead::Unparsed) {
                consoleWrite(text(Text::NotANumber));
            } else if (!isInitialValue(y) || !isInitialValue(v)) {
                consolePrintf(text(Text::InitialValueRange), LargestInitialValue);
            } else {
                start.y0[i] = y;
                start.v0[i] = v;
                break;
            }
            discardRestOfLine();
            consoleWrite("\n");
        }
    }
    start.MaxAmplitude = 1.0;
}

// Returns what the chart's reference amplitude is for the start chosen: the mode's largest
// amplitude, or 1 m for typed values.
Text askInitialConditions() {
    consoleWrite(text(Text::InitialConditionsHeading));
    if (askForKey(text(Text::UseModeQuestion)) == 'y') {
        startFromMode();
        return Text::ModeStartReference;
    }
    startFromTypedValues();
    return Text::TypedStartReference;
}

} // namespace

void readCurveCount() {
    char prompt[128];
    std::snprintf(prompt, sizeof prompt, text(Text::CurveCountPrompt), Entries.chain.nfree);
    Entries.start.ncurve = askIntegerBetween(prompt, 0, Entries.chain.nfree);
}

void runDialogue() {
    const char entry = SimulationState::LastKey;
    consoleWrite(text(Text::SectionTitles));
    const bool keepModel = entry == 'j';
    if (!keepModel) {
        if (entry != 'm') {
            askDegreesOfFreedom();
        }
        askMasses();
        askSprings();
        SearchNaturalFrequencies();
        ComputeModeShapes();
        readCurveCount();
    }
    listResults();
    const Text reference = askInitialConditions();
    consoleWrite(text(reference));
    consoleWrite(text(Text::KeyHelp));
    consoleWrite(text(Text::WindowPaused));
}
