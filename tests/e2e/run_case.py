#!/usr/bin/env python3
"""Runs one end-to-end case: a command file whose "# expect" comment lines say
how to run the program and what it must print and return.

    # expect args: <argument text>     default: the case file's own path
    # expect status: <exit status>     default: 0
    # expect stdout: <line>            every stdout line, in order (exact)
    # expect stderr: <line>            every stderr line, in order (exact)
    # expect stderr-contains: <text>   some stderr line contains the text
    # expect stdout-contains: <text>   some stdout line contains the text
    # expect stdin: <line>             a line of standard input
    # expect env: NAME=value           an environment variable for the run
    # expect platform: posix|win32     run only there

Placeholders in expectations and args: {case} the case file, {dir} its folder,
{tmp} a fresh temporary folder, {sep} the platform's path separator,
{display} the X display the run sees (DISPLAY). The run
starts in the case's folder, with TARV_TMP naming the temporary folder.
Lines are compared without trailing blanks. Without any stdout (stderr) line
expected, that stream must be empty, unless "-contains" lines are expected of
it: then only those are looked for.

Usage: run_case.py PROGRAM CASE [--wine]
"""
import os
import subprocess
import sys
import tempfile


def wait_factor():
    """The Wine runner's stretch of every deadline on a slow machine."""
    try:
        return max(1, int(os.environ.get("TARV_WAIT_FACTOR", "1")))
    except ValueError:
        return 1


def wine_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def parse(case_path):
    spec = {"args": None, "status": "0", "stdout": [], "stderr": [], "stdin": [], "env": [],
            "stderr-contains": [], "stdout-contains": [], "platform": None}
    with open(case_path, encoding="latin-1") as f:
        for line in f:
            line = line.rstrip("\r\n")
            if not line.startswith("# expect "):
                continue
            key, _, value = line[len("# expect "):].partition(": ")
            if key.endswith(":"):  # an empty value: "# expect stdout:"
                key, value = key[:-1], ""
            if key not in spec:
                sys.exit(f"{case_path}: unknown expectation '{key}'")
            if isinstance(spec[key], list):
                spec[key].append(value)
            else:
                spec[key] = value
    return spec


def main():
    program, case = sys.argv[1], sys.argv[2]
    if os.sep in program:
        program = os.path.abspath(program)
    wine = "--wine" in sys.argv[3:]
    spec = parse(case)
    platform = "win32" if wine else "posix"
    if spec["platform"] and spec["platform"] != platform:
        print(f"skipped: {case} runs on {spec['platform']} only")
        return 0
    tmp = tempfile.mkdtemp(prefix="tarv-e2e-")
    to_path = wine_path if wine else os.path.abspath
    places = {"{case}": to_path(case), "{dir}": to_path(os.path.dirname(case) or "."),
              "{tmp}": to_path(tmp), "{sep}": "\\" if wine else "/",
              "{display}": os.environ.get("DISPLAY", "")}

    def fill(text):
        for key, value in places.items():
            text = text.replace(key, value)
        return text

    args = fill(spec["args"]) if spec["args"] is not None else places["{case}"]
    env = dict(os.environ, TARV_UI="console", TARV_TMP=places["{tmp}"])
    for item in spec["env"]:
        name, _, value = fill(item).partition("=")
        env[name] = value
    command = (["wine", program] if wine else [program]) + ([args] if args else [])
    stdin = "".join(fill(line) + "\n" for line in spec["stdin"])
    result = subprocess.run(command, input=stdin.encode("latin-1"), capture_output=True, env=env,
                            cwd=os.path.dirname(os.path.abspath(case)), timeout=120 * wait_factor())
    out = [line.rstrip(" ") for line in result.stdout.decode("latin-1").replace("\r\n", "\n").splitlines()]
    err = [line.rstrip(" ") for line in result.stderr.decode("latin-1").replace("\r\n", "\n").splitlines()]
    problems = []
    if str(result.returncode) != fill(spec["status"]):
        problems.append(f"exit status {result.returncode}, expected {spec['status']}")
    for name, got in (("stdout", out), ("stderr", err)):
        want = [fill(line).rstrip(" ") for line in spec[name]]
        # A stream with only "-contains" lines expected is not compared whole.
        if want != got and (want or got) and (want or not spec[name + "-contains"]):
            problems.append(f"{name} differs:\n  expected: {want}\n  got:      {got}")
        for text in spec[name + "-contains"]:
            if not any(fill(text) in line for line in got):
                problems.append(f"{name} has no line containing {fill(text)!r}:\n  got: {got}")
    subprocess.run(["rm", "-rf", tmp])
    if problems:
        print(f"FAILED {case} (args: {args!r})")
        for p in problems:
            print("  " + p)
        return 1
    print(f"passed {case}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
