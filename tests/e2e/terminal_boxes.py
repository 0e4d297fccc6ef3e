#!/usr/bin/env python3
"""Runs the native program on a pseudo-terminal, as a user at a shell does:
each /pause box waits for Enter, and the run goes on only when it comes.
(Without a terminal the cases in cases/ show that nothing waits.)

Usage: terminal_boxes.py PROGRAM
"""
import os
import pty
import select
import sys
import time

DEADLINE_SECONDS = 60


def read_until(fd, wanted, seen, start):
    """Reads the terminal until `wanted` appears in it at or after `start`;
    returns all it showed and the end of that appearance."""
    deadline = time.monotonic() + DEADLINE_SECONDS
    while seen.find(wanted, start) < 0:
        left = deadline - time.monotonic()
        if left <= 0:
            sys.exit(f"FAILED: no {wanted!r} on the terminal; it showed {seen!r}")
        ready, _, _ = select.select([fd], [], [], left)
        if not ready:
            continue
        try:
            chunk = os.read(fd, 1024)
        except OSError:  # the program has ended and closed the terminal
            chunk = b""
        if not chunk:
            sys.exit(f"FAILED: the terminal closed before {wanted!r}; it showed {seen!r}")
        seen += chunk
    return seen, seen.find(wanted, start) + len(wanted)


def read_to_end(fd):
    """Reads until the program has ended and the terminal is closed."""
    deadline = time.monotonic() + DEADLINE_SECONDS
    while time.monotonic() < deadline:
        ready, _, _ = select.select([fd], [], [], deadline - time.monotonic())
        try:
            if ready and not os.read(fd, 1024):
                return
        except OSError:  # EIO: no program holds the terminal any more
            return
    sys.exit("FAILED: the program did not end after the second Enter")


def main():
    program = os.path.abspath(sys.argv[1])
    pid, fd = pty.fork()
    if pid == 0:
        os.environ["TARV_UI"] = "console"
        os.execv(program, [program, "{ /pause first } { /pause second }"])
    seen, at = read_until(fd, b"Press Enter", b"", 0)
    if b"second" in seen:
        sys.exit(f"FAILED: the second box came before Enter: {seen!r}")
    os.write(fd, b"\n")
    seen, at = read_until(fd, b"Information: second", seen, at)
    seen, at = read_until(fd, b"Press Enter", seen, at)
    os.write(fd, b"\n")
    read_to_end(fd)
    _, status = os.waitpid(pid, 0)
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit(f"FAILED: exit status {os.waitstatus_to_exitcode(status)}")
    print("passed terminal boxes")


if __name__ == "__main__":
    main()
