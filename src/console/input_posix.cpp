// Reading the console on POSIX systems: standard input unbuffered, or the controlling terminal
// (/dev/tty) for a window key's question when standard input is a file or a pipe; the raw key
// press puts the terminal read in non-canonical mode and gives it back on every exit.
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "console/console_input.h"
#include "console/text_encoding.h"

namespace {

constexpr const char* ControllingTerminal = "/dev/tty";

// The descriptor read now: standard input, or the controlling terminal once it is opened.
int Source = STDIN_FILENO;
int Terminal = -1;
std::FILE* TerminalStream = nullptr; // the same terminal, for the prompts

// ---------------------------------------------------------------------------------------------
// Waiting for input

// The descriptor that says the window has gone, -1 before there is a window.
int WindowEnd = -1;

// The terminal settings to give back before the program ends, while a raw key is awaited.
struct termios savedTerminal;
struct termios rawTerminal;
bool TerminalRaw = false;

// Returns once the source has a byte to read (or has ended); a window gone meanwhile ends the
// program here, with status 0.
void awaitInput() {
    if (WindowEnd < 0) {
        return;
    }
    struct pollfd watched[2] = {{Source, POLLIN, 0}, {WindowEnd, POLLIN, 0}};
    while (poll(watched, 2, -1) < 0 && errno == EINTR) {
    }
    if ((watched[1].revents & (POLLIN | POLLHUP)) != 0 && watched[0].revents == 0) {
        if (TerminalRaw) {
            tcsetattr(Source, TCSANOW, &savedTerminal);
        }
        std::exit(0);
    }
}

// One byte of the source by read(2), -1 when it has closed; a terminal's end-of-file key gives 0
// bytes, which is its end only for this read.
int readByteOfSource() {
    for (;;) {
        awaitInput();
        unsigned char byte = 0;
        const ssize_t got = read(Source, &byte, 1);
        if (got == 1) {
            return byte;
        }
        if (got == 0 || errno != EINTR) {
            return -1;
        }
    }
}

// ---------------------------------------------------------------------------------------------
// The raw key press

// A signal that stops or ends the program while a key is awaited leaves the terminal as it found
// it; a program continued after Ctrl-Z goes back to waiting for the key.
void restoreAndResignal(int signal) {
    tcsetattr(Source, TCSANOW, &savedTerminal);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

void resumeRawRead(int) {
    tcsetattr(Source, TCSANOW, &rawTerminal);
    std::signal(SIGTSTP, restoreAndResignal);
}

constexpr int GuardedSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGTSTP};

void guardTerminal() {
    for (int s : GuardedSignals) {
        std::signal(s, restoreAndResignal);
    }
    std::signal(SIGCONT, resumeRawRead);
}

void unguardTerminal() {
    for (int s : GuardedSignals) {
        std::signal(s, SIG_DFL);
    }
    std::signal(SIGCONT, SIG_DFL);
}

// The bytes that follow the first byte of one key arrive together; 50 ms is far longer than any
// terminal takes to send them and far shorter than a second key press.
constexpr int SequenceGapMs = 50;

int readFollowingByte() {
    struct pollfd in = {Source, POLLIN, 0};
    if (poll(&in, 1, SequenceGapMs) <= 0) {
        return -1;
    }
    return readByteOfSource();
}

// A function or arrow key sends ESC [ ... final byte, or ESC O x; Alt and a key sends ESC x.
void drainEscapeSequence() {
    const int next = readFollowingByte();
    if (next == '[') {
        for (int c = readFollowingByte(); c != -1; c = readFollowingByte()) {
            if (c >= 0x40 && c <= 0x7e) {
                break;
            }
        }
    } else if (next == 'O') {
        readFollowingByte();
    }
}

// The whole of one multi-byte character typed as the key.
std::string readCharacter(int lead) {
    std::string bytes(1, static_cast<char>(lead));
    for (int i = trailingBytes(lead); i > 0; --i) {
        const int trail = readFollowingByte();
        if (trail < 0) {
            break;
        }
        bytes.push_back(static_cast<char>(trail));
    }
    return bytes;
}

} // namespace

// The terminal goes raw, its signals guarded, until the key has come.
void prepareRawKey() {
    tcgetattr(Source, &savedTerminal);
    rawTerminal = savedTerminal;
    rawTerminal.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
    rawTerminal.c_cc[VMIN] = 1;
    rawTerminal.c_cc[VTIME] = 0;
    guardTerminal();
    tcsetattr(Source, TCSANOW, &rawTerminal);
    TerminalRaw = true;
}

// The terminal's end-of-file key (Ctrl-D) ends the input here as it does at any other prompt.
std::string readRawKey() {
    const int key = readByteOfSource();
    std::string bytes;
    if (key < 0 ||
        (savedTerminal.c_cc[VEOF] != _POSIX_VDISABLE && key == savedTerminal.c_cc[VEOF])) {
        bytes.clear();
    } else if (key == 0x1b) {
        drainEscapeSequence();
        bytes = "\x1b";
    } else if (key >= 0x80) {
        bytes = readCharacter(key);
    } else {
        bytes = std::string(1, static_cast<char>(key));
    }

    tcsetattr(Source, TCSANOW, &savedTerminal);
    TerminalRaw = false;
    unguardTerminal();
    return bytes;
}

// Standard input is read unbuffered, so that a byte the console has not taken is never held in a
// buffer while the console waits for more: what the window system says meanwhile is heard.
void openInput() {
    std::setvbuf(stdin, nullptr, _IONBF, 0);
}

bool inputIsConsole() {
    return Source != STDIN_FILENO || standardInputIsConsole();
}

bool standardInputIsConsole() {
    return isatty(STDIN_FILENO) != 0;
}

int readInputByte() {
    if (Source != STDIN_FILENO) {
        const int byte = readByteOfSource();
        return byte < 0 ? EOF : byte;
    }
    awaitInput();
    return std::getc(stdin);
}

bool readControllingTerminal() {
    if (Terminal < 0) {
        Terminal = open(ControllingTerminal, O_RDWR | O_NOCTTY | O_CLOEXEC);
        TerminalStream = Terminal >= 0 ? fdopen(dup(Terminal), "w") : nullptr;
    }
    if (Terminal < 0) {
        return false;
    }
    Source = Terminal;
    return true;
}

bool standardInputWouldWait() {
    struct pollfd in = {STDIN_FILENO, POLLIN, 0};
    return poll(&in, 1, 0) <= 0;
}

// A terminal's end-of-file key left a question; the next question reads it afresh.
void readStandardInput() {
    Source = STDIN_FILENO;
    if (standardInputIsConsole()) {
        std::clearerr(stdin);
    }
}

std::FILE* promptsAlsoTo() {
    return Source == Terminal && isatty(STDOUT_FILENO) == 0 ? TerminalStream : nullptr;
}

void endReadsWhenReadable(int descriptor) {
    WindowEnd = descriptor;
}
