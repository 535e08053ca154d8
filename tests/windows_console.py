#!/usr/bin/env python3
"""The Windows program at Wine's real console, typed at from a pseudo-terminal, so that
GetConsoleMode succeeds and the console API (ReadConsoleW, WriteConsoleW, _getwch) does the work.

    windows_console.py EXE CASE

CASE is one of:
  full-width   the whole dialogue typed with full-width digits and spaces, and a single 'ｙ'
  ctrl-z       Ctrl-Z and Enter at a number question: the end of the input (status 2, message)
  ctrl-c       Ctrl-C at a number question: Windows' status for Ctrl-C, and no message
  not-yes      'n', and in a second run an arrow key, at the yes/no question: a typed start, and
               nothing of the key is left over for the values that follow

The environment (WINEPREFIX, LANG, LOCPATH, DISPLAY) chooses the code page. Prints nothing and
exits 0 when the case holds; otherwise says what it saw and exits 1.
"""
import os
import pty
import re
import select
import sys
import termios
import time

PATIENCE = 120.0  # seconds: a cold Wine server on a busy machine is slow to start
CONTROL_C_STATUS = 0xC000013A & 0xFF  # what Wine's exit status keeps of STATUS_CONTROL_C_EXIT


class Console:
    def __init__(self, exe):
        self.pid, self.fd = pty.fork()
        if self.pid == 0:
            os.execvp("wine", ["wine", exe])
        # A Windows console has no suspend key: Ctrl-Z must reach the program as a character.
        attrs = termios.tcgetattr(self.fd)
        attrs[6][termios.VSUSP] = b"\x00"
        termios.tcsetattr(self.fd, termios.TCSANOW, attrs)
        self.screen = b""
        self.mark = 0
        self.status = None

    def pump(self, seconds):
        ready, _, _ = select.select([self.fd], [], [], seconds)
        if not ready:
            return False
        try:
            self.screen += os.read(self.fd, 65536)
        except OSError:
            return False
        return True

    def text(self):
        return re.sub(r"\x1b\[[0-9;?]*[A-Za-z]", "", self.screen.decode("utf-8", "replace"))

    def wait_for(self, words):
        deadline = time.time() + PATIENCE
        while time.time() < deadline:
            at = self.text().find(words, self.mark)
            if at >= 0:
                self.mark = at + len(words)
                return True
            self.pump(0.1)
        return False

    # Wine's console reads the terminal raw; until it does, the terminal's own line editing would
    # turn Enter into a line feed. Keys are typed once it reads.
    def type(self, keys):
        deadline = time.time() + PATIENCE
        while termios.tcgetattr(self.fd)[3] & termios.ICANON and time.time() < deadline:
            self.pump(0.05)
        os.write(self.fd, keys.encode("utf-8"))

    def finish(self):
        deadline = time.time() + PATIENCE
        while time.time() < deadline:
            self.pump(0.1)
            pid, status = os.waitpid(self.pid, os.WNOHANG)
            if pid:
                self.status = os.waitstatus_to_exitcode(status)
                while self.pump(0.1):
                    pass
                return self.status
        return None

    def close(self):
        if self.status is None:
            os.kill(self.pid, 9)
            os.waitpid(self.pid, 0)
        os.close(self.fd)


PROMPT = "キー入力 ="
QUESTION = "yes:y  no;n"  # Wine draws trailing blanks as cursor moves: none is matched
END_OF_INPUT = "入力が終わったため終了します"


def full_width(c):
    c.type("２\r")
    c.wait_for("No. 1")
    c.type("１　１\r１ １　１\r２\r")
    if not c.wait_for(QUESTION):
        return "the yes/no question never came"
    c.type("ｙ")
    if not c.wait_for("k(1,2,.,,,2) ="):
        return "full-width ｙ did not start from a mode"
    c.type("２\r")
    if not c.wait_for("ESCキーで：終了"):
        return "the dialogue did not end"
    if "1.7321" not in c.text() or "整数を入力" in c.text() or "数値を入力" in c.text():
        return "a full-width value was not read as typed"
    return None


def ctrl_z(c):
    c.type("\x1a\r")
    if c.finish() != 2 or END_OF_INPUT not in c.text():
        return "status %s, not 2 with the end-of-input message" % c.status
    return None


def ctrl_c(c):
    c.type("\x03")
    if c.finish() != CONTROL_C_STATUS or END_OF_INPUT in c.text():
        return "status %s, not Windows' Ctrl-C status without a message" % c.status
    return None


def not_yes(c, key):
    c.type("2\r1 1\r1 1 1\r2\r")
    if not c.wait_for(QUESTION):
        return "the yes/no question never came"
    c.type(key)
    if not c.wait_for("[m] [m/s] ="):
        return "%r did not lead to a typed start" % key
    c.type("1 0\r0 0\r")
    if not c.wait_for("ESCキーで：終了"):
        return "the dialogue did not end"
    if "数値を入力" in c.text():
        return "something of %r was left over for the values" % key
    return None


CASES = {
    "full-width": [full_width],
    "ctrl-z": [ctrl_z],
    "ctrl-c": [ctrl_c],
    "not-yes": [lambda c: not_yes(c, "n"), lambda c: not_yes(c, "\x1b[A")],
}


def main():
    exe, case = sys.argv[1], sys.argv[2]
    for run in CASES[case]:
        c = Console(exe)
        try:
            fault = "the first question never came" if not c.wait_for(PROMPT) else run(c)
        finally:
            c.close()
        if fault:
            print("        " + fault)
            print("        last seen: " + repr(c.text()[-300:]))
            return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
