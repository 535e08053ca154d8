// Runs the real executable as a child process with a given standard input and environment, and
// collects everything it writes. A child that outlives its time limit is killed and reported, so
// a hang fails the test instead of stalling it.
#pragma once

#include <string>
#include <utility>
#include <vector>

struct ProcessRun {
    std::string out;
    std::string err;
    int exitStatus = -1; // exit status, or -1 when killed by a signal
    int signal = 0;      // the signal that ended it, if any
    bool timedOut = false;
};

struct ProcessSetup {
    std::vector<std::string> args;
    std::string input;
    // Set in the child after LANG, LC_ALL, LC_CTYPE and DISPLAY are removed.
    std::vector<std::pair<std::string, std::string>> env;
    double timeoutSeconds = 30.0;
};

ProcessRun runProcess(const std::string& exe, const ProcessSetup& setup);

// The whole content of a file, or an empty string.
std::string readFile(const std::string& path);
