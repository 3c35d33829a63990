#!/usr/bin/env python3
"""Types command lines into a real interactive bash through a pseudo-terminal.

usage: pty_bash.py FOLDER SETUP_FILE COMMAND...

bash starts interactive with its own start-up file, which sources SETUP_FILE
(the completion and the user's settings) and puts a stand-in function in the
place of each COMMAND. Each line read from standard input (NUL-terminated, as
typed, without the Tab) is typed at the prompt, followed by one Tab; then
readline's line is read back and, when the Tab changed it, accepted (Enter).

For each line, standard output gets NUL-terminated fields: readline's line
after the Tab, then "kept" when the Tab left the line as typed (it is then
dropped), else what accepting it did: "ran" followed by the count and the
words the stand-in was given, or "continued" when bash asked for more (an
open quote; the line is then abandoned with Ctrl-C). A wait that takes
longer than its bound ends the run with status 1 and what the terminal last
showed on standard error.
"""

import fcntl
import os
import pty
import re
import select
import signal
import struct
import sys
import termios
import time

# Each wait is bounded; a loaded machine still answers well within it.
WAIT_SECONDS = 30

# What the shell prints to mark where it is; no typed line holds "@@".
PROMPT = b"@@PS1@@ "
MORE = b"@@PS2@@ "
LINE_SHOWN = b"@@LINE@@"
RAN = b"@@RAN@@"
# The key that makes readline tell its line: Ctrl-X Ctrl-B.
SHOW_LINE_KEY = b"\x18\x02"


def start_file(folder, setup, commands):
    line_file = os.path.join(folder, "line")
    args_file = os.path.join(folder, "args")
    text = [
        "HISTFILE=",
        "PROMPT_COMMAND=",
        f"PS1={shell_word(PROMPT.decode())}",
        f"PS2={shell_word(MORE.decode())}",
        f"pty_line_file={shell_word(line_file)}",
        f"pty_args_file={shell_word(args_file)}",
        "bind 'set bell-style none'",
        "bind 'set enable-bracketed-paste off'",
        # bind -x hands the command readline's line in READLINE_LINE.
        "bind -x '\"\\C-x\\C-b\": printf %s \"$READLINE_LINE\" >\"$pty_line_file\";"
        f" echo {LINE_SHOWN.decode()}'",
        f"source {shell_word(setup)}",
    ]
    for command in commands:
        text.append(
            f"{command}() {{ printf '%s\\0' \"$#\" \"$@\" >\"$pty_args_file\";"
            f" echo {RAN.decode()}; }}"
        )
    path = os.path.join(folder, "bashrc")
    with open(path, "w", encoding="utf-8") as out:
        out.write("\n".join(text) + "\n")
    return path, line_file, args_file


def shell_word(text):
    return "'" + text.replace("'", "'\\''") + "'"


class Terminal:
    def __init__(self, rcfile):
        pid, fd = pty.fork()
        if pid == 0:
            os.execvp("bash", ["bash", "--noprofile", "--rcfile", rcfile, "-i"])
        self.pid = pid
        self.fd = fd
        self.seen = b""
        self.transcript = b""
        # Wide enough that readline never scrolls the line.
        fcntl.ioctl(fd, termios.TIOCSWINSZ, struct.pack("HHHH", 50, 4000, 0, 0))

    def type(self, keys):
        os.write(self.fd, keys)

    def wait_for(self, *markers):
        """Reads until one of the markers shows; returns it and drops what
        was read up to its end."""
        pattern = re.compile(b"|".join(re.escape(m) for m in markers))
        deadline = time.monotonic() + WAIT_SECONDS
        while True:
            found = pattern.search(self.seen)
            if found:
                self.seen = self.seen[found.end():]
                return found.group(0)
            ready, _, _ = select.select([self.fd], [], [], max(0, deadline - time.monotonic()))
            if not ready:
                raise TimeoutError(f"no {b' or '.join(markers)!r} within {WAIT_SECONDS} s")
            try:
                chunk = os.read(self.fd, 65536)
            except OSError:
                chunk = b""
            if not chunk:
                raise EOFError(f"bash ended before {b' or '.join(markers)!r}")
            self.seen += chunk
            self.transcript += chunk

    def close(self):
        try:
            os.kill(self.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        os.waitpid(self.pid, 0)
        os.close(self.fd)


def main():
    if len(sys.argv) < 3:
        print("usage: pty_bash.py FOLDER SETUP_FILE COMMAND...", file=sys.stderr)
        return 2
    folder, setup, commands = sys.argv[1], sys.argv[2], sys.argv[3:]
    rcfile, line_file, args_file = start_file(folder, setup, commands)
    lines = sys.stdin.buffer.read().split(b"\0")[:-1]
    out = sys.stdout.buffer
    terminal = Terminal(rcfile)
    recent = b""
    try:
        terminal.wait_for(PROMPT)
        for line in lines:
            for stale in (line_file, args_file):
                if os.path.exists(stale):
                    os.remove(stale)
            terminal.type(line + b"\t" + SHOW_LINE_KEY)
            terminal.wait_for(LINE_SHOWN)
            with open(line_file, "rb") as shown:
                completed = shown.read()
            out.write(completed + b"\0")
            if completed == line:
                # Nothing to accept but what was typed: the line is dropped.
                out.write(b"kept\0")
                terminal.type(b"\x15\r")
            else:
                terminal.type(b"\r")
                if terminal.wait_for(RAN, MORE) == RAN:
                    with open(args_file, "rb") as given:
                        out.write(b"ran\0" + given.read())
                else:
                    out.write(b"continued\0")
                    terminal.type(b"\x03")
            terminal.wait_for(PROMPT)
            out.flush()
        return 0
    except (TimeoutError, EOFError) as problem:
        recent = terminal.transcript[-3000:]
        print(f"pty_bash.py: {problem}; the terminal last showed {recent!r}", file=sys.stderr)
        return 1
    finally:
        terminal.close()


if __name__ == "__main__":
    sys.exit(main())
