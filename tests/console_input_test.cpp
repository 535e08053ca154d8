// Input that ends early, and the raw key press of the yes/no question on a real terminal (a
// pseudo-terminal): no Enter, no echo, escape sequences drained, the terminal left as it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <iterator>
#include <string>
#include <thread>

#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include "process.h"
#include "waiting.h"
#include "x_session.h"

namespace {

const std::string Exe = SPRING_CHAIN_EXE;
const std::string Examples = std::string(TRANSCRIPT_DIR) + "/../../examples";
const std::string EndOfInputMessage = "入力が終わったため終了します";

// Every input cut short at a token boundary ends at once with the message and status 2.
TEST(EndOfInput, EveryTruncatedDialogueEndsWithAMessage) {
    for (const char* name : {"two_masses_typed_start", "three_masses_mode_start"}) {
        const std::string input = readFile(Examples + "/" + name + ".txt");
        ASSERT_FALSE(input.empty());
        for (std::size_t cut = 0; cut + 1 < input.size(); ++cut) {
            if (cut > 0 && input[cut - 1] != ' ' && input[cut - 1] != '\n') {
                continue;
            }
            ProcessSetup setup;
            setup.input = input.substr(0, cut);
            setup.env = {{"LANG", "C.UTF-8"}};
            setup.timeoutSeconds = 10;
            const ProcessRun run = runProcess(Exe, setup);
            SCOPED_TRACE(std::string(name) + " cut at " + std::to_string(cut));
            EXPECT_FALSE(run.timedOut);
            EXPECT_EQ(run.exitStatus, 2);
            EXPECT_NE(run.err.find(EndOfInputMessage), std::string::npos);
            EXPECT_EQ(run.out.find("nan"), std::string::npos);
            EXPECT_EQ(run.out.find("ESCキーで"), std::string::npos) << "no run starts";
        }
    }
}

TEST(EndOfInput, RefusedValuesThenEndOfInput) {
    ProcessSetup setup;
    setup.input = "2\n1 nan nan inf";
    setup.env = {{"LANG", "C.UTF-8"}};
    const ProcessRun run = runProcess(Exe, setup);
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_FALSE(run.timedOut);
}

// A student at a terminal is told at once when no window can be opened, so the terminal tests
// give the program a display of its own.
const std::string& displayName() {
    static const VirtualScreen screen;
    return screen.name();
}

// -display is the display the program asks for, on a pipe as at a terminal.
TEST(EndOfInput, NoDisplayNamedOnTheCommandLine) {
    ProcessSetup setup;
    setup.input = readFile(Examples + "/two_masses_typed_start.txt");
    setup.args = {"-display", ":65000"};
    setup.env = {{"LANG", "C.UTF-8"}, {"DISPLAY", displayName()}};
    const ProcessRun run = runProcess(Exe, setup);
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_NE(run.err.find("ディスプレイ"), std::string::npos) << run.err;
    EXPECT_NE(run.out.find("ESCキーで：終了"), std::string::npos) << "after the tables";
}

// The program on the slave side of a pseudo-terminal; the test types on the master side.
class Terminal {
  public:
    explicit Terminal(const std::string& display = displayName()) {
        EXPECT_EQ(openpty(&master_, &slave_, nullptr, nullptr, nullptr), 0);
        tcgetattr(slave_, &before_);
        pid_ = fork();
        if (pid_ == 0) {
            close(master_);
            setsid();
            ioctl(slave_, TIOCSCTTY, 0);
            dup2(slave_, STDIN_FILENO);
            dup2(slave_, STDOUT_FILENO);
            dup2(slave_, STDERR_FILENO);
            setenv("LANG", "C.UTF-8", 1);
            unsetenv("LC_ALL");
            unsetenv("DISPLAY");
            if (!display.empty()) {
                setenv("DISPLAY", display.c_str(), 1);
            }
            execl(Exe.c_str(), Exe.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
    }
    ~Terminal() {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        close(master_);
        close(slave_);
    }

    void type(const std::string& keys) {
        ASSERT_EQ(write(master_, keys.data(), keys.size()), static_cast<ssize_t>(keys.size()));
    }

    // Reads the screen until `text` has appeared after everything waited for before.
    bool waitFor(const std::string& text, double seconds = 60.0) {
        if (!waitUntil(seconds, [&] {
                return readSome(0), screen_.find(text, mark_) != std::string::npos;
            })) {
            return false;
        }
        mark_ = screen_.find(text, mark_) + text.size();
        return true;
    }

    // Waits for the program to end; its wait status.
    int finish() {
        int status = 0;
        if (!waitUntil(60.0,
                       [&] { return readSome(0), waitpid(pid_, &status, WNOHANG) == pid_; })) {
            return -1;
        }
        pid_ = -1;
        while (readSome(10)) {
        }
        return status;
    }

    void signal(int number) const { kill(pid_, number); }

    // Whether the program has the terminal in the raw mode of its yes/no key: no line editing.
    bool terminalRaw() const {
        struct termios now;
        tcgetattr(slave_, &now);
        return (now.c_lflag & ICANON) == 0;
    }

    const std::string& screen() const { return screen_; }
    std::string sinceMark() const { return screen_.substr(mark_); }

    // Every flag and control character, as `stty -g` would print them.
    bool terminalAsBefore() const {
        struct termios now;
        tcgetattr(slave_, &now);
        return now.c_iflag == before_.c_iflag && now.c_oflag == before_.c_oflag &&
               now.c_cflag == before_.c_cflag && now.c_lflag == before_.c_lflag &&
               std::equal(std::begin(now.c_cc), std::end(now.c_cc), std::begin(before_.c_cc));
    }

  private:
    bool readSome(int ms) {
        struct pollfd p = {master_, POLLIN, 0};
        if (poll(&p, 1, ms) <= 0) {
            return false;
        }
        char buffer[4096];
        const ssize_t got = read(master_, buffer, sizeof buffer);
        if (got <= 0) {
            return false;
        }
        screen_.append(buffer, static_cast<std::size_t>(got));
        return true;
    }

    int master_ = -1;
    int slave_ = -1;
    pid_t pid_ = -1;
    struct termios before_ {};
    std::string screen_;
    std::size_t mark_ = 0;
};

const std::string Question = "yes:y  no;n  ";

void answerModel(Terminal& t) {
    t.type("2\n1 1\n1 1 1\n2\n");
    ASSERT_TRUE(t.waitFor(Question));
}

TEST(RawKey, AnswerNeedsNoEnterAndIsNotEchoed) {
    Terminal t;
    answerModel(t);
    t.type("y");
    ASSERT_TRUE(t.waitFor("k(1,2,.,,,2) = "));
    t.type("2\n");
    ASSERT_TRUE(t.waitFor("ESCキーで：終了"));
    const std::size_t asked = t.screen().find(Question) + Question.size();
    const std::size_t next = t.screen().find("何番目のモード");
    ASSERT_NE(next, std::string::npos);
    EXPECT_EQ(t.screen().substr(asked, next - asked), "\r\n") << "the answer key is not echoed";
    EXPECT_TRUE(t.terminalAsBefore());
}

// An arrow key is one key: a typed start, and none of its bytes reach the next number.
TEST(RawKey, ArrowKeyIsOneKeyAndItsSequenceIsDrained) {
    Terminal t;
    answerModel(t);
    t.type("\x1b[A");
    ASSERT_TRUE(t.waitFor("[m] [m/s] = "));
    t.type("1 0\n0 0\n");
    ASSERT_TRUE(t.waitFor("ESCキーで：終了"));
    EXPECT_EQ(t.screen().find("数値を入力してください"), std::string::npos);
    EXPECT_TRUE(t.terminalAsBefore());
}

TEST(RawKey, FunctionKeyAndLoneEscapeAreTypedStarts) {
    for (const char* key : {"\x1bOP", "\x1b[15~", "\x1b"}) {
        Terminal t;
        answerModel(t);
        t.type(key);
        ASSERT_TRUE(t.waitFor("[m] [m/s] = ")) << key + 1;
        t.type("1 0\n0 0\n");
        ASSERT_TRUE(t.waitFor("ESCキーで：終了"));
        EXPECT_EQ(t.screen().find("数値を入力してください"), std::string::npos);
    }
}

// An answer typed on the line of the last value is taken as it stands, as on a pipe.
TEST(RawKey, AnswerTypedAheadIsTaken) {
    Terminal t;
    t.type("2\n1 1\n1 1 1\n2 y\n");
    ASSERT_TRUE(t.waitFor(Question));
    ASSERT_TRUE(t.waitFor("k(1,2,.,,,2) = "));
    t.type("2\n");
    ASSERT_TRUE(t.waitFor("ESCキーで：終了"));
    EXPECT_EQ(t.screen().find("整数を入力してください"), std::string::npos);
    EXPECT_TRUE(t.terminalAsBefore());
}

// A stray byte that cannot end a UTF-8 character, typed at the end of a value, leaves its line's
// end where it is: the value is refused at once, and the next line is the next answer.
TEST(RawKey, InvalidByteAtTheEndOfALineIsRefusedAtOnce) {
    Terminal t;
    ASSERT_TRUE(t.waitFor("キー入力 ="));
    t.type("2\xef\n");
    ASSERT_TRUE(t.waitFor("整数を入力してください"));
    t.type("2\n");
    ASSERT_TRUE(t.waitFor("No. 1  "));
}

// Without a display the student learns it before typing anything.
TEST(RawKey, NoDisplayIsToldBeforeTheFirstQuestion) {
    Terminal t("");
    const int status = t.finish();
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) != 0);
    EXPECT_NE(t.screen().find("ディスプレイ"), std::string::npos) << t.screen();
    EXPECT_EQ(t.screen().find("nfree"), std::string::npos) << "no question was asked";
}

TEST(RawKey, CtrlDEndsTheInputAndRestoresTheTerminal) {
    Terminal t;
    answerModel(t);
    t.type("\x04");
    ASSERT_TRUE(t.waitFor(EndOfInputMessage));
    const int status = t.finish();
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2);
    EXPECT_TRUE(t.terminalAsBefore());
}

// Ctrl-Z while the key is awaited: the stopped program leaves the terminal as it found it, and
// once continued it takes the key raw again.
TEST(RawKey, SuspendedAndContinuedWhileWaiting) {
    Terminal t;
    answerModel(t);
    ASSERT_TRUE(waitUntil(60.0, [&t] { return t.terminalRaw(); }));
    t.signal(SIGTSTP);
    EXPECT_TRUE(waitUntil(60.0, [&t] { return t.terminalAsBefore(); })) << "stopped";
    t.signal(SIGCONT);
    EXPECT_TRUE(waitUntil(60.0, [&t] { return t.terminalRaw(); })) << "continued";
    t.type("y");
    ASSERT_TRUE(t.waitFor("k(1,2,.,,,2) = "));
    t.type("1\n");
    ASSERT_TRUE(t.waitFor("ESCキーで：終了"));
    EXPECT_TRUE(t.terminalAsBefore());
}

TEST(RawKey, CtrlCWhileWaitingRestoresTheTerminal) {
    Terminal t;
    answerModel(t);
    t.type("\x03");
    const int status = t.finish();
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGINT);
    EXPECT_TRUE(t.terminalAsBefore());
}

} // namespace
