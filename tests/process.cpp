#include "process.h"
#include "waiting.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <mutex>
#include <sstream>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// After the program's end, its last output is in the pipes: read within this long, however busy the
// machine (its pipes close with it, unless something it started holds them).
constexpr double PipeDrainSeconds = 30.0;

void closeBoth(int fds[2]) {
    close(fds[0]);
    close(fds[1]);
}

// A session of the child's own; the pseudo-terminal named, if any, becomes its controlling
// terminal as the session's first terminal opened.
[[noreturn]] void execChild(const std::string& exe, const ProcessSetup& setup, int in[2],
                            int out[2], int err[2], const char* terminal = nullptr) {
    setsid();
    if (terminal != nullptr) {
        const int slave = open(terminal, O_RDWR);
        if (slave < 0) {
            _exit(126);
        }
        close(slave);
    }
    dup2(in[0], STDIN_FILENO);
    dup2(out[1], STDOUT_FILENO);
    dup2(err[1], STDERR_FILENO);
    closeBoth(in);
    closeBoth(out);
    closeBoth(err);
    for (const char* name : {"LANG", "LC_ALL", "LC_CTYPE", "LC_MESSAGES", "DISPLAY"}) {
        unsetenv(name);
    }
    for (const auto& [name, value] : setup.env) {
        setenv(name.c_str(), value.c_str(), 1);
    }
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(exe.c_str()));
    for (const std::string& a : setup.args) {
        argv.push_back(const_cast<char*>(a.c_str()));
    }
    argv.push_back(nullptr);
    execv(exe.c_str(), argv.data());
    _exit(127);
}

// Appends what a ready pipe holds through `append`; at the pipe's end closes it and sets its
// descriptor to -1, which poll then passes over.
template <class Append> void drainReady(struct pollfd& end, Append append) {
    if (end.fd < 0 || !(end.revents & (POLLIN | POLLHUP | POLLERR))) {
        return;
    }
    char buffer[65536];
    const ssize_t got = read(end.fd, buffer, sizeof buffer);
    if (got <= 0) {
        close(end.fd);
        end.fd = -1;
    } else {
        append(buffer, static_cast<std::size_t>(got));
    }
}

} // namespace

ProcessRun runProcess(const std::string& exe, const ProcessSetup& setup) {
    std::signal(SIGPIPE, SIG_IGN);
    int in[2], out[2], err[2];
    if (pipe(in) != 0 || pipe(out) != 0 || pipe(err) != 0) {
        return {};
    }
    const pid_t pid = fork();
    if (pid == 0) {
        execChild(exe, setup, in, out, err);
    }
    close(in[0]);
    close(out[1]);
    close(err[1]);
    fcntl(in[1], F_SETFL, O_NONBLOCK);

    ProcessRun run;
    std::size_t written = 0;
    int inFd = in[1];
    if (setup.input.empty()) {
        close(inFd);
        inFd = -1;
    }
    struct pollfd fds[3] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}, {inFd, POLLOUT, 0}};
    const auto deadline = std::chrono::steady_clock::now() +
                          std::chrono::milliseconds(static_cast<long>(setup.timeoutSeconds * 1000));
    while (fds[0].fd >= 0 || fds[1].fd >= 0) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            run.timedOut = true;
            kill(pid, SIGKILL);
            break;
        }
        fds[2].fd = inFd;
        poll(fds, 3, static_cast<int>(left.count()));
        drainReady(fds[0], [&run](const char* b, std::size_t n) { run.out.append(b, n); });
        drainReady(fds[1], [&run](const char* b, std::size_t n) { run.err.append(b, n); });
        if (inFd >= 0 && (fds[2].revents & (POLLOUT | POLLERR | POLLHUP))) {
            const ssize_t put =
                write(inFd, setup.input.data() + written, setup.input.size() - written);
            if (put > 0) {
                written += static_cast<std::size_t>(put);
            }
            if (put < 0 || written == setup.input.size()) {
                close(inFd);
                inFd = -1;
            }
        }
    }
    if (inFd >= 0) {
        close(inFd);
    }
    for (int i = 0; i < 2; ++i) {
        if (fds[i].fd >= 0) {
            close(fds[i].fd);
        }
    }
    int status = 0;
    waitpid(pid, &status, 0);
    if (WIFEXITED(status)) {
        run.exitStatus = WEXITSTATUS(status);
    } else if (WIFSIGNALED(status)) {
        run.signal = WTERMSIG(status);
    }
    return run;
}

std::string readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

struct ProgramUnderTest::Shared {
    std::mutex lock;
    std::string out;
    std::string err;
    std::string terminal;
    std::thread pump;
    std::atomic<bool> drained{false}; // the program's output and errors read to their end
};

namespace {

// A pseudo-terminal's master side, and the name of its slave side. The test holds the slave side
// open as well, so that the master side never reads as hung up before the program opens it.
int openPseudoTerminal(std::string* slave, int* heldSlave) {
    const int master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
        return -1;
    }
    *slave = ptsname(master);
    *heldSlave = open(slave->c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    return master;
}

} // namespace

ProgramUnderTest::ProgramUnderTest(const std::string& exe, const std::string& input,
                                   const std::string& display, const std::vector<std::string>& args,
                                   const std::vector<std::pair<std::string, std::string>>& env,
                                   bool terminal)
    : shared_(new Shared) {
    std::signal(SIGPIPE, SIG_IGN);
    int in[2], out[2], err[2];
    if (pipe(in) != 0 || pipe(out) != 0 || pipe(err) != 0) {
        return;
    }
    std::string slave;
    if (terminal) {
        terminal_ = openPseudoTerminal(&slave, &heldSlave_);
    }
    ProcessSetup setup;
    setup.args = args;
    setup.env = {{"LANG", "C.UTF-8"}, {"DISPLAY", display}};
    setup.env.insert(setup.env.end(), env.begin(), env.end());
    const pid_t pid = fork();
    if (pid == 0) {
        execChild(exe, setup, in, out, err, terminal_ >= 0 ? slave.c_str() : nullptr);
    }
    pid_ = pid;
    close(in[0]);
    close(out[1]);
    close(err[1]);
    input_ = in[1];
    const int outFd = out[0];
    const int errFd = err[0];
    // The terminal's master side is read until the program's end closes its slave side.
    const int terminalFd = terminal_ >= 0 ? dup(terminal_) : -1;
    Shared* shared = shared_;
    shared_->pump = std::thread([shared, outFd, errFd, terminalFd] {
        struct pollfd fds[3] = {{outFd, POLLIN, 0}, {errFd, POLLIN, 0}, {terminalFd, POLLIN, 0}};
        std::string* const into[3] = {&shared->out, &shared->err, &shared->terminal};
        while (fds[0].fd >= 0 || fds[1].fd >= 0) {
            poll(fds, 3, -1);
            for (int i = 0; i < 3; ++i) {
                drainReady(fds[i], [shared, &into, i](const char* b, std::size_t n) {
                    std::lock_guard<std::mutex> hold(shared->lock);
                    into[i]->append(b, n);
                });
            }
        }
        if (fds[2].fd >= 0) {
            close(fds[2].fd);
        }
        shared->drained = true;
    });
    type(input);
}

ProgramUnderTest::~ProgramUnderTest() {
    closeInput();
    if (pid_ > 0 && exitStatus_ == -1 && !waitForExit(0.0)) {
        kill(pid_, SIGKILL);
        waitForExit(5.0);
    }
    if (shared_->pump.joinable()) {
        shared_->pump.join();
    }
    if (terminal_ >= 0) {
        close(terminal_);
        close(heldSlave_);
    }
    delete shared_;
}

// A program that has gone shows nothing more: the test's next wait says so.
void ProgramUnderTest::typeAtTerminal(const std::string& text) {
    if (terminal_ >= 0) {
        [[maybe_unused]] const ssize_t put = write(terminal_, text.data(), text.size());
    }
}

void ProgramUnderTest::type(const std::string& text) {
    std::size_t written = 0;
    while (input_ >= 0 && written < text.size()) {
        const ssize_t put = write(input_, text.data() + written, text.size() - written);
        if (put <= 0) {
            break;
        }
        written += static_cast<std::size_t>(put);
    }
}

void ProgramUnderTest::closeInput() {
    if (input_ >= 0) {
        close(input_);
        input_ = -1;
    }
}

namespace {

// Waits until `text` appears in `seen` at or after *mark, and moves the mark past it.
bool waitToSee(std::mutex& lock, const std::string& seen, std::size_t* mark,
               const std::string& text, double seconds) {
    return waitUntil(seconds, [&] {
        std::lock_guard<std::mutex> hold(lock);
        const std::size_t at = seen.find(text, *mark);
        if (at == std::string::npos) {
            return false;
        }
        *mark = at + text.size();
        return true;
    });
}

} // namespace

bool ProgramUnderTest::waitForOutput(const std::string& text, double seconds) {
    return waitToSee(shared_->lock, shared_->out, &mark_, text, seconds);
}

bool ProgramUnderTest::waitForTerminal(const std::string& text, double seconds) {
    return waitToSee(shared_->lock, shared_->terminal, &terminalMark_, text, seconds);
}

bool ProgramUnderTest::waitForError(const std::string& text, double seconds) {
    return waitToSee(shared_->lock, shared_->err, &errorMark_, text, seconds);
}

bool ProgramUnderTest::waitForExit(double seconds) {
    if (exitStatus_ != -1 || pid_ <= 0) {
        return true;
    }
    const auto exited = [this] {
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) != pid_) {
            return false;
        }
        exitStatus_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        return true;
    };
    if (!(seconds > 0.0 ? waitUntil(seconds, exited) : exited())) {
        return false;
    }
    // What the program wrote last is read too, before anyone asks for it.
    waitUntil(PipeDrainSeconds, [this] { return shared_->drained.load(); });
    return true;
}

bool ProgramUnderTest::running() {
    return !waitForExit(0.0);
}

std::string ProgramUnderTest::out() {
    std::lock_guard<std::mutex> hold(shared_->lock);
    return shared_->out;
}

std::string ProgramUnderTest::err() {
    std::lock_guard<std::mutex> hold(shared_->lock);
    return shared_->err;
}

std::string ProgramUnderTest::terminal() {
    std::lock_guard<std::mutex> hold(shared_->lock);
    return shared_->terminal;
}
