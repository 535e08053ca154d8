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

// The program running in the background with its standard input kept open, so a test can answer
// the questions that keys bring up later. Its output is collected all the while.
class ProgramUnderTest {
  public:
    // `env` is set in the child besides LANG=C.UTF-8 and DISPLAY.
    ProgramUnderTest(const std::string& exe, const std::string& input, const std::string& display,
                     const std::vector<std::string>& args = {},
                     const std::vector<std::pair<std::string, std::string>>& env = {});
    ~ProgramUnderTest();
    ProgramUnderTest(const ProgramUnderTest&) = delete;
    ProgramUnderTest& operator=(const ProgramUnderTest&) = delete;

    void type(const std::string& text);
    void closeInput();

    // Waits until `text` has appeared on standard output after everything waited for before.
    bool waitForOutput(const std::string& text, double seconds = 60.0);

    // Waits for the program to end; false after the timeout. exitStatus() is then valid.
    bool waitForExit(double seconds = 60.0);
    int exitStatus() const { return exitStatus_; }
    bool running();

    std::string out();
    std::string err();

  private:
    struct Shared;
    Shared* shared_;
    int pid_ = -1;
    int input_ = -1;
    int exitStatus_ = -1;
    std::size_t mark_ = 0;
};
