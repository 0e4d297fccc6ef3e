#!/usr/bin/env python3
"""Makes the manual page tarv32(1) and the program's usage text from one
source, docs/tarv32.1.md, so that the two cannot drift apart.

The source is a small part of Markdown: a title line
"# tarv32(1) -- summary", sections "## NAME", paragraphs, and list items
"* `term`: text". HTML comments are skipped. The usage text is the first
paragraph of DESCRIPTION, the forms of SYNOPSIS (their terms without the
program name) and the first file of FILES (the user guide).

Usage:
  make-manpage.py roff SOURCE.md VERSION OUTPUT.1     the roff page
  make-manpage.py usage SOURCE.md OUTPUT.cpp          the C++ usage text
  make-manpage.py check SOURCE.md COMMITTED.cpp       fails if they differ
Output depends on the input only: the same source gives the same bytes.
"""
import re
import sys

ITEM = re.compile(r"^\* `([^`]*)`: (.*)$")


def read_source(path):
    """Returns (program, summary, [(section, [block])]); a block is a
    paragraph (a list of lines) or a list item (term, text)."""
    text = re.sub(r"<!--.*?-->", "", open(path, encoding="utf-8").read(), flags=re.S)
    lines = text.splitlines()
    title = re.match(r"^# (\S+)\((\d)\) -- (.*)$", lines[0])
    if not title:
        sys.exit(f"{path}: the first line must be '# name(section) -- summary'")
    sections, paragraph = [], []

    def flush():
        if paragraph:
            sections[-1][1].append(list(paragraph))
            paragraph.clear()

    for number, line in enumerate(lines[1:], 2):
        if line.startswith("## "):
            flush()
            sections.append((line[3:].strip(), []))
        elif not line.strip():
            flush()
        elif not sections:
            sys.exit(f"{path}:{number}: text before the first section")
        elif line.startswith("* "):
            flush()
            item = ITEM.match(line)
            if not item:
                sys.exit(f"{path}:{number}: a list item must be '* `term`: text'")
            sections[-1][1].append((item.group(1), item.group(2)))
        else:
            paragraph.append(line.strip())
    flush()
    return title.group(1), title.group(3), sections


def section(sections, name):
    for title, blocks in sections:
        if title == name:
            return blocks
    sys.exit(f"no section {name}")


def roff_text(text):
    """Escapes a text for roff: backslashes, and a control character that
    would start a line."""
    text = text.replace("\\", "\\e")
    return "\\&" + text if text[:1] in (".", "'") else text


def roff_term(term, program):
    """A term in bold where it is the program or an option, with every
    hyphen a minus sign (what the user types)."""
    words = []
    for word in term.split(" "):
        escaped = roff_text(word).replace("-", "\\-")
        bold = word == program or word.startswith("-") or word.startswith("/") or word[:1].isdigit()
        words.append(f"\\fB{escaped}\\fR" if bold else f"\\fI{escaped}\\fR" if word.isupper() else escaped)
    return " ".join(words)


def roff(source, version):
    program, summary, sections = read_source(source)
    out = [f'.\\" Generated from {source_name(source)} by tools/make-manpage.py; do not edit.',
           f'.TH {program.upper()} 1 "" "Tarv32 {version}" "User Commands"',
           ".SH NAME", f"{program} \\- {roff_text(summary)}"]
    for name, blocks in sections:
        out.append(f".SH {name}")
        for block in blocks:
            if isinstance(block, tuple):
                out += [".TP", roff_term(block[0], program), roff_text(block[1])]
            else:
                out += [".PP"] + [roff_text(line) for line in block]
    return "\n".join(out) + "\n"


def cpp_string(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"').replace("\n", "\\n") + '"'


def usage(source):
    program, _, sections = read_source(source)
    description = [b for b in section(sections, "DESCRIPTION") if isinstance(b, list)]
    forms = [b for b in section(sections, "SYNOPSIS") if isinstance(b, tuple)]
    files = [b for b in section(sections, "FILES") if isinstance(b, tuple)]
    out = [f"// Generated from {source_name(source)} by tools/make-manpage.py; do not edit.",
           '#include "run/UsageText.h"', "",
           "const char* const kUsageSummary ="]
    out += [f"    {cpp_string(line + chr(10))}" for line in description[0]]
    out[-1] += ";"
    out += ["", "const TUsageForm kUsageForms[] = {"]
    for term, text in forms:
        arguments = term[len(program):].strip() if term.startswith(program) else term
        out.append(f"    {{{cpp_string(arguments)}, {cpp_string(text)}}},")
    out += ["};", f"const size_t kUsageFormCount = {len(forms)};", "",
            f"const char* const kUserGuidePath = {cpp_string(files[0][0])};"]
    return "\n".join(out) + "\n"


def source_name(path):
    return "docs/" + path.replace("\\", "/").rsplit("/", 1)[-1]


def write(path, text):
    with open(path, "w", encoding="utf-8", newline="\n") as out:
        out.write(text)


def main(argv):
    if len(argv) == 5 and argv[1] == "roff":
        write(argv[4], roff(argv[2], argv[3]))
    elif len(argv) == 4 and argv[1] == "usage":
        write(argv[3], usage(argv[2]))
    elif len(argv) == 4 and argv[1] == "check":
        if open(argv[3], encoding="utf-8").read() != usage(argv[2]):
            sys.exit(f"{argv[3]} differs from what {argv[2]} gives: run tools/make-manpage.py usage {argv[2]} {argv[3]}")
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(sys.argv)
