// GoogleTest before Xlib, whose macros (None, Bool) would clash with its names.
#include <gtest/gtest.h>

#include "waiting.h"
#include "window_fixture.h"

#include <chrono>
#include <cstdlib>
#include <thread>
#include <utility>
#include <vector>

const Rgb Red = {255, 0, 0};
const Rgb Green = {0, 255, 0};
const Rgb Blue = {0, 0, 255};
const Rgb White = {255, 255, 255};
const Rgb Black = {0, 0, 0};

double columnOf(double x) {
    return (x + 1.0) * WindowPixels / 2.0;
}
double rowOf(double y) {
    return (1.0 - y) * WindowPixels / 2.0;
}

bool discCentreRow(const Picture& picture, int column, Rgb colour, double* row) {
    constexpr int Bridge = 3; // rows of another colour a run may cross
    int bestFirst = -1;
    int bestLast = -1;
    int first = -1;
    int last = -1;
    for (int y = 0; y < picture.height; ++y) {
        if (!(picture.at(column, y) == colour)) {
            continue;
        }
        if (first >= 0 && y - last <= Bridge + 1) {
            last = y;
        } else {
            first = last = y;
        }
        if (last - first > bestLast - bestFirst) {
            bestFirst = first;
            bestLast = last;
        }
    }
    if (bestFirst < 0) {
        return false;
    }
    *row = (bestFirst + bestLast) / 2.0;
    return true;
}

int chartEnd(const Picture& picture, Rgb colour) {
    // Left of the chain's red fixed end, a disc of radius 0.01 around x = 0.01.
    for (int x = static_cast<int>(columnOf(0.0)) - 1; x >= 0; --x) {
        for (int y = 0; y < picture.height; ++y) {
            if (picture.at(x, y) == colour) {
                return x;
            }
        }
    }
    return -1;
}

bool colourNear(const Picture& picture, int column, double row, Rgb colour, int slack) {
    for (int y = static_cast<int>(row) - slack; y <= static_cast<int>(row) + slack; ++y) {
        if (y >= 0 && y < picture.height && picture.at(column, y) == colour) {
            return true;
        }
    }
    return false;
}

std::string uniformChain(int n, double mass, double spring) {
    std::string text = std::to_string(n) + "\n";
    for (int i = 0; i < n; ++i) {
        text += std::to_string(mass) + " ";
    }
    text += "\n";
    for (int i = 0; i <= n; ++i) {
        text += std::to_string(spring) + " ";
    }
    return text + "\n";
}

std::string uniformDialogue(int n, double mass, double spring) {
    std::string text = uniformChain(n, mass, spring) + std::to_string(n) + "\nn\n0.1 0\n";
    for (int i = 1; i < n; ++i) {
        text += "0 0\n";
    }
    return text;
}

namespace {

using Environment = std::vector<std::pair<std::string, std::string>>;

Environment withProbe(Environment environment) {
    std::string preload = SPRING_CHAIN_PROBE;
    if (const char* inherited = std::getenv("LD_PRELOAD")) {
        preload = std::string(inherited) + " " + preload;
    }
    environment.emplace_back("LD_PRELOAD", preload);
    return environment;
}

// The line the dialogue ends with, just before the window opens, in the language it speaks.
const char* lastDialogueLine(const std::vector<std::string>& args, const Environment& environment) {
    const char* inherited = std::getenv("SPRING_CHAIN_LANG");
    std::string language = inherited != nullptr ? inherited : "";
    for (const auto& variable : environment) {
        language = variable.first == "SPRING_CHAIN_LANG" ? variable.second : language;
    }
    for (const std::string& arg : args) {
        language = arg.rfind("--lang=", 0) == 0 ? arg.substr(7) : language;
    }
    return language.rfind("en", 0) == 0 ? "then press Space to play\n"
                                        : "スペースキーで再生します\n";
}

} // namespace

RunningProgram::RunningProgram(const std::string& dialogue, const std::vector<std::string>& args,
                               const Environment& environment, bool terminal)
    : program_(SPRING_CHAIN_EXE, dialogue, screen_.name(), args, withProbe(environment), terminal) {
    // Later waits for output see only what the keys bring up.
    if (screen_.running() &&
        program_.waitForOutput(lastDialogueLine(args, environment), PatientSeconds)) {
        window_ = screen_.waitForWindow("", PatientSeconds);
    }
    started_ = window_ != 0 && waitForFrames(1);
}

Picture RunningProgram::shot() const {
    return capture(screen_.display(), window_);
}

void RunningProgram::press(char key) {
    screen_.press(window_, key);
    ++keysPressed_;
}

void RunningProgram::pressTimes(char key, int times) {
    for (int i = 0; i < times; ++i) {
        press(key);
    }
}

void RunningProgram::pressUnhandled(char key) const {
    screen_.press(window_, key);
}

ProbeCounts RunningProgram::counts() const {
    ProbeCounts counts;
    const std::vector<long> values = screen_.cardinals(window_, "_SPRING_CHAIN_PROBE");
    if (values.size() == 3) {
        counts.keys = values[0];
        counts.frames = values[1];
        counts.ticks = values[2];
    }
    return counts;
}

bool RunningProgram::waitForFrames(long frames, double seconds) const {
    return waitUntil(seconds, [this, frames] { return counts().frames >= frames; });
}

bool RunningProgram::waitForTicks(long ticks, double seconds) const {
    return waitUntil(seconds, [this, ticks] { return counts().ticks >= ticks; });
}

Picture RunningProgram::drawn(double seconds) {
    const bool handled =
        waitUntil(seconds, [this] { return counts().keys >= keysPressed_ || !program_.running(); });
    EXPECT_TRUE(handled) << "the program handled " << counts().keys << " of " << keysPressed_
                         << " keys";
    return shot();
}
