#!/usr/bin/env python3
"""Checks that the source folders form layers that point one way.

Each folder under src/ may include headers of its own layer and of the
layers below it, never above; no two folders share a layer. Shared
code never includes the platform's headers: <windows.h> and its kin only
under win32/, Xlib only under x11/.

Usage: tools/check-layers.py [SOURCE_ROOT]   (default: the src/ beside tools/)
Prints each offending include with its file and line; exits 1 if any.
"""
import pathlib
import re
import sys

# Lowest first.
LAYERS = [
    {"util"},  # strings, streams, message boxes, run-wide state and errors
    {"sys"},  # system services over the platform interfaces
    {"lang"},  # lexers, parsers, the command object the grammar builds
    {"expr"},  # the expression language
    {"exec"},  # the executor and the script runner
    {"editor"},  # the command-file editor, which runs what it edits
    {"run"},  # the program's entry
]

PLATFORM_HEADERS = {
    "win32": re.compile(r"#\s*include\s*<(windows|commctrl|objbase|shellapi|tlhelp32|psapi|richedit|shlobj)\.h>", re.I),
    "x11": re.compile(r"#\s*include\s*<X11/"),
}
LOCAL_INCLUDE = re.compile(r'#\s*include\s*"([^"/]+)/[^"]*"')


def layer_of(folder):
    for index, layer in enumerate(LAYERS):
        if folder in layer:
            return index
    return None


def check_file(path, root, problems):
    relative = path.relative_to(root)
    folder = relative.parts[0]
    own = layer_of(folder)
    platform = set(relative.parts[1:-1]) & set(PLATFORM_HEADERS)
    for number, line in enumerate(path.read_text(encoding="utf-8", errors="replace").splitlines(), 1):
        where = f"src/{relative.as_posix()}:{number}"
        match = LOCAL_INCLUDE.match(line.strip())
        if match and match.group(1) in {p.name for p in root.iterdir() if p.is_dir()}:
            target = layer_of(match.group(1))
            if target is not None and own is not None and target > own:
                problems.append(f"{where}: {folder}/ includes {match.group(0)[len('#include '):]}"
                                f" from {match.group(1)}/, a layer above it")
        for name, pattern in PLATFORM_HEADERS.items():
            if name not in platform and pattern.match(line.strip()):
                problems.append(f"{where}: {line.strip()} outside a {name}/ folder")


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).parent.parent / "src")
    problems = []
    for folder in sorted(p for p in root.iterdir() if p.is_dir()):
        if layer_of(folder.name) is None:
            problems.append(f"src/{folder.name}/ has no layer: add it to LAYERS in {pathlib.Path(__file__).name}")
    for path in sorted(root.rglob("*")):
        if path.suffix in {".h", ".cpp"} and layer_of(path.relative_to(root).parts[0]) is not None:
            check_file(path, root, problems)
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
