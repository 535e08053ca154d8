// Runs the real executable as a child process with a given standard input and environment, and
// collects everything it writes. A child that outlives its time limit is killed and reported, so
// a hang fails the test instead of stalling it. Every child runs in a session of its own, without
// a controlling terminal unless the test gives it one: the terminal the tests were started from
// is never read.
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
    // `env` is set in the child besides LANG=C.UTF-8 and DISPLAY. With `terminal`, a
    // pseudo-terminal of the test's own is the program's controlling terminal.
    ProgramUnderTest(const std::string& exe, const std::string& input, const std::string& display,
                     const std::vector<std::string>& args = {},
                     const std::vector<std::pair<std::string, std::string>>& env = {},
                     bool terminal = false);
    ~ProgramUnderTest();
    ProgramUnderTest(const ProgramUnderTest&) = delete;
    ProgramUnderTest& operator=(const ProgramUnderTest&) = delete;

    void type(const std::string& text);
    void closeInput();
    // Types at the controlling terminal, as a student at its keyboard.
    void typeAtTerminal(const std::string& text);

    // Waits until `text` has appeared on standard output after everything waited for before.
    bool waitForOutput(const std::string& text, double seconds = 60.0);
    // The same for what the controlling terminal shows (echo included) and for standard error.
    bool waitForTerminal(const std::string& text, double seconds = 60.0);
    bool waitForError(const std::string& text, double seconds = 60.0);

    // Waits for the program to end; false after the timeout. exitStatus() is then valid.
    bool waitForExit(double seconds = 60.0);
    int exitStatus() const { return exitStatus_; }
    bool running();

    std::string out();
    std::string err();
    std::string terminal();

  private:
    struct Shared;
    Shared* shared_;
    int pid_ = -1;
    int input_ = -1;
    int terminal_ = -1; // the pseudo-terminal's master side
    int heldSlave_ = -1;
    int exitStatus_ = -1;
    std::size_t mark_ = 0;
    std::size_t terminalMark_ = 0;
    std::size_t errorMark_ = 0;
};
