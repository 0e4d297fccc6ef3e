#!/usr/bin/env python3
"""Runs one window case (a command file with "# expect" lines, as run by
tests/e2e/run_case.py) against a real X server: a fresh Xvfb on a free
display for each session the case names, with no window manager ("bare") or
with one of the EWMH window managers openbox, icewm and fluxbox:

    # session: bare openbox icewm  default: bare openbox
    # needs: xterm                 programs the case drives (skipped without)

A session whose window manager is not installed is skipped. The run sees
DISPLAY, our test client (tarvxclient) on its PATH, TARV_SESSION naming the
session and TARV_XSERVER_PID, the process id of its own X server (a case may
end it). Everything the session started ends with its X server. Exits 77
(skipped) where Xvfb is missing.

Usage: run_x11_case.py PROGRAM CLIENT CASE
"""
import ctypes
import ctypes.util
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
RUN_CASE = os.path.join(HERE, "..", "e2e", "run_case.py")
START_DEADLINE = 30  # seconds for the server and the window manager to come up
SKIPPED = 77
# Each window manager's command; each gets a home of its own, so that none
# reads or writes the user's settings.
WINDOW_MANAGERS = {"openbox": ["openbox", "--sm-disable"], "icewm": ["icewm"], "fluxbox": ["fluxbox"]}


def header_words(case, key):
    with open(case, encoding="latin-1") as f:
        for line in f:
            if line.startswith(f"# {key}:"):
                return line.split(":", 1)[1].split()
    return None


def start_server():
    """Starts Xvfb on a display it picks itself; returns (process, ":N").
    -noreset: a server resets when its last client leaves, and a client that
    connects meanwhile (the window manager, after a look at the root window)
    would be refused."""
    read_end, write_end = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-noreset", "-nolisten", "tcp", "-screen",
                               "0", "1024x768x24"], pass_fds=[write_end], stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL, start_new_session=True)
    os.close(write_end)
    with os.fdopen(read_end, "rb") as pipe:  # Xvfb writes the number once it listens
        number = pipe.readline().strip()
    if not number:
        stop(server)
        sys.exit("Xvfb did not start")
    return server, ":" + number.decode()


def wait_until(condition, seconds):
    deadline = time.monotonic() + seconds
    while not condition():
        if time.monotonic() > deadline:
            return False
        time.sleep(0.05)  # polling for the condition, with a deadline
    return True


class XLib:
    """Just enough of libX11 to see whether a window manager runs."""

    def __init__(self):
        self.lib = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
        self.lib.XOpenDisplay.restype = ctypes.c_void_p
        self.lib.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.lib.XInternAtom.restype = ctypes.c_ulong
        self.lib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        self.lib.XDefaultRootWindow.restype = ctypes.c_ulong
        self.lib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self.lib.XGetWindowProperty.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_long,
                                                ctypes.c_long, ctypes.c_int, ctypes.c_ulong,
                                                ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.c_int),
                                                ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.c_ulong),
                                                ctypes.POINTER(ctypes.c_void_p)]
        self.lib.XCloseDisplay.argtypes = [ctypes.c_void_p]

    def window_manager_runs(self, display_name):
        display = self.lib.XOpenDisplay(display_name.encode())
        if not display:
            return False
        atom = self.lib.XInternAtom(display, b"_NET_SUPPORTING_WM_CHECK", 0)
        kind, fmt, count, left, data = (ctypes.c_ulong(), ctypes.c_int(), ctypes.c_ulong(), ctypes.c_ulong(),
                                        ctypes.c_void_p())
        self.lib.XGetWindowProperty(display, self.lib.XDefaultRootWindow(display), atom, 0, 1, 0, 0,
                                    ctypes.byref(kind), ctypes.byref(fmt), ctypes.byref(count),
                                    ctypes.byref(left), ctypes.byref(data))
        self.lib.XCloseDisplay(display)
        return count.value == 1


def start_window_manager(display, name, home):
    env = dict(os.environ, DISPLAY=display, HOME=home)
    log = tempfile.TemporaryFile()
    manager = subprocess.Popen(WINDOW_MANAGERS[name], env=env, stdout=log, stderr=subprocess.STDOUT,
                               start_new_session=True)
    xlib = XLib()
    if not wait_until(lambda: xlib.window_manager_runs(display) or manager.poll() is not None, START_DEADLINE) \
            or manager.poll() is not None:
        stop(manager)
        log.seek(0)
        sys.exit(f"{name} did not start (status {manager.returncode}): {log.read().decode(errors='replace')}")
    return manager


def stop(process):
    try:
        os.killpg(process.pid, signal.SIGTERM)
        process.wait(timeout=10)
    except (ProcessLookupError, subprocess.TimeoutExpired):
        try:
            os.killpg(process.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass


def run_session(program, client, case, session):
    server, display = start_server()
    started = [server]
    home = tempfile.TemporaryDirectory(prefix="tarv-wm-")
    try:
        if session in WINDOW_MANAGERS:
            started.insert(0, start_window_manager(display, session, home.name))
        env = dict(os.environ, DISPLAY=display, TARV_SESSION=session, TARV_XSERVER_PID=str(server.pid),
                   PATH=os.path.dirname(os.path.abspath(client)) + os.pathsep + os.environ.get("PATH", ""))
        env.pop("WAYLAND_DISPLAY", None)
        print(f"--- {session} session on {display}", flush=True)
        return subprocess.run([sys.executable, RUN_CASE, program, case], env=env).returncode
    finally:
        for process in started:
            stop(process)
        home.cleanup()


def main():
    program, client, case = sys.argv[1:4]
    if not shutil.which("Xvfb"):
        print("skipped: Xvfb is not installed (Debian: apt-get install xvfb)")
        return SKIPPED
    missing = [p for p in header_words(case, "needs") or [] if not shutil.which(p)]
    if missing:
        print(f"skipped: {' '.join(missing)} not installed (Debian: apt-get install {' '.join(missing)})")
        return SKIPPED
    failures, ran = 0, 0
    for session in header_words(case, "session") or ["bare", "openbox"]:
        manager = WINDOW_MANAGERS.get(session, [None])[0]
        if manager and not shutil.which(manager):
            print(f"skipped the {session} session: {manager} is not installed (Debian: apt-get install {session})")
            continue
        ran += 1
        failures += run_session(program, client, case, session) != 0
    if ran == 0:
        return SKIPPED
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
