#!/usr/bin/env python3
"""Runs every example of the user guide, so that the guide cannot drift from
the program.

An example is a fenced block whose info string is "qd". It is a command file
that carries its own "# expect" lines (see run_case.py, which runs it): what
the run prints with the console interface and the exit status it ends with.
A block that stands for a file of the source tree is preceded by the line

    <!-- file: examples/windows/NAME.qd -->

and must equal that file; the file itself is then run where it lies. Every
other block is written to a temporary folder and run from there.

Usage: guide_examples.py GUIDE PROGRAM [--wine]
"""
import os
import re
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
FILE_MARK = re.compile(r"^<!-- file: (\S+) -->$")


class Example:
    def __init__(self, line, text, file):
        self.line, self.text, self.file = line, text, file


def examples_of(guide_path):
    """The qd blocks of the guide, each with the line of its opening fence."""
    found = []
    with open(guide_path, encoding="utf-8") as f:
        lines = f.read().split("\n")
    i = 0
    while i < len(lines):
        if lines[i].strip() != "```qd":
            i += 1
            continue
        start = i
        end = next((j for j in range(i + 1, len(lines)) if lines[j].strip() == "```"), None)
        if end is None:
            sys.exit(f"{guide_path}:{start + 1}: example block is never closed")
        before = [l for l in lines[max(0, start - 2):start] if l.strip()]
        mark = FILE_MARK.match(before[-1]) if before else None
        text = "\n".join(lines[start + 1:end]) + "\n"
        found.append(Example(start + 1, text, mark.group(1) if mark else None))
        i = end + 1
    return found


def problems_of(guide_path, example):
    if not any(l.startswith("# expect ") for l in example.text.split("\n")):
        return [f"{guide_path}:{example.line}: example has no '# expect' line"]
    if example.file:
        root = os.path.dirname(os.path.dirname(os.path.abspath(guide_path)))
        path = os.path.join(root, example.file)
        try:
            with open(path, encoding="latin-1", newline="") as f:
                on_disk = f.read().replace("\r\n", "\n")
        except OSError as error:
            return [f"{guide_path}:{example.line}: {example.file}: {error.strerror}"]
        if on_disk != example.text:
            return [f"{guide_path}:{example.line}: the example differs from {example.file}"]
    return []


def run(program, case_path, wine):
    command = [sys.executable, os.path.join(HERE, "run_case.py"), program, case_path]
    result = subprocess.run(command + (["--wine"] if wine else []), capture_output=True, text=True)
    return result.returncode, (result.stdout + result.stderr).rstrip("\n")


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    guide, program = sys.argv[1], sys.argv[2]
    wine = "--wine" in sys.argv[3:]
    examples = examples_of(guide)
    if not examples:
        sys.exit(f"{guide}: no examples found")
    failed = ran = skipped = 0
    with tempfile.TemporaryDirectory(prefix="tarv-guide-") as folder:
        for example in examples:
            problems = problems_of(guide, example)
            if problems:
                print("\n".join(problems))
                failed += 1
                continue
            if example.file:
                root = os.path.dirname(os.path.dirname(os.path.abspath(guide)))
                case_path = os.path.join(root, example.file)
            else:
                case_path = os.path.join(folder, f"example-line-{example.line}.qd")
                with open(case_path, "w", encoding="latin-1", newline="\r\n") as f:
                    f.write(example.text)
            status, output = run(program, case_path, wine)
            print(f"line {example.line}: {output}")
            if output.startswith("skipped"):
                skipped += 1
            elif status == 0:
                ran += 1
            else:
                failed += 1
    print(f"guide examples: {ran} passed, {failed} failed, {skipped} skipped (other platform)")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
