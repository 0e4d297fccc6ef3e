#!/usr/bin/env python3
"""Checks the user guide against the program's sources, so that it cannot
drift from them (its examples are run by guide_examples.py):

1. Every message that the guide quotes in a table column headed "Message" or
   "Messages" (each text in backticks there) is the program's own text. The
   program builds its messages by joining string literals and values, so a
   quoted message must be made of the sources' string literals: split at its
   placeholders, each fixed part must be the end of one literal, whole
   literals, then the start of another (or lie inside one literal). A
   placeholder is a number, a word of PLACEHOLDERS in capitals, or "…" (the
   rest: mostly the system's reason); a double quote next to a placeholder
   may come from the value's quoting.
2. Every link to a place of the page (#anchor) reaches a heading, and none
   points at the heading of the section it stands in.
3. Every command has its section in the command reference: a heading with
   the anchor cmd-NAME (cmd-at for @) whose text names the command, for
   every internal command of the keyword table in src/lang/TarvLex.cpp, and
   each such section holds a runnable example (a ```qd block).

Usage: guide_check.py GUIDE SOURCE_ROOT
"""
import os
import re
import sys
import unicodedata

PLACEHOLDERS = ("FILE", "PATTERN", "TITLE", "PROGRAM", "DIRECTORY", "NAME", "VALUE", "TEXT", "KEYS",
                "SOURCE", "COMMAND", "REASON", "CODE", "TOKEN", "SECONDS", "PATH", "N", "L", "C")
GAP = re.compile(r'"?(?:\b(?:' + "|".join(PLACEHOLDERS) + r')\b|\d+|…)"?')
MOST_PIECES = 5


def string_literals(root):
    """Every string literal of the C++ sources, adjacent ones joined, with
    their escapes read."""
    literal = re.compile(r'"((?:[^"\\\n]|\\.)*)"')
    found = set()
    for folder, _, files in os.walk(os.path.join(root, "src")):
        for name in files:
            if not name.endswith((".cpp", ".h")):
                continue
            with open(os.path.join(folder, name), encoding="utf-8", errors="replace") as f:
                text = f.read()
            text = re.sub(r"^\s*//.*$", "", text, flags=re.M)
            text = re.sub(r"^\s*#\s*include.*$", "", text, flags=re.M)
            text = re.sub(r"'(?:[^'\\\n]|\\.)'", "' '", text)  # character literals
            joined = re.sub(r'"\s*\n\s*"', "", text)  # "a" "b" written across lines
            for match in literal.finditer(joined):
                value = match.group(1)
                for escape, char in (('\\"', '"'), ("\\r", "\r"), ("\\n", "\n"), ("\\t", "\t"), ("\\\\", "\\")):
                    value = value.replace(escape, char)
                if value:
                    found.add(value)
    return found


def made_of_literals(part, literals, pieces=MOST_PIECES):
    """Whether the text is a literal's end, whole literals, then a literal's
    start (or lies inside one literal)."""
    if any(part in literal for literal in literals):
        return True

    def rest(text, left):
        if not text:
            return True
        if left == 0:
            return False
        if any(literal.startswith(text) for literal in literals):
            return True
        return any(text.startswith(literal) and rest(text[len(literal):], left - 1) for literal in literals)

    for cut in range(1, len(part)):
        head = part[:cut]
        if any(literal.endswith(head) for literal in literals) and rest(part[cut:], pieces - 1):
            return True
    return False


def message_problems(guide, lines, literals):
    problems = []
    columns = None
    for number, line in enumerate(lines, 1):
        if not line.startswith("|"):
            columns = None
            continue
        cells = [c.strip() for c in re.split(r"(?<!\\)\|", line.strip())[1:-1]]
        if columns is None:
            columns = [i for i, c in enumerate(cells) if c.lower().startswith("message")]
            continue
        if set(line.replace("|", "").strip()) <= set("-: "):
            continue
        for i in columns:
            if i >= len(cells):
                continue
            for message in re.findall(r"`([^`]+)`", cells[i].replace("\\|", "|")):
                parts = [p.strip(" ") for p in GAP.split(message)]
                bad = [p for p in parts if p.strip(" \"") and not made_of_literals(p, literals)]
                if bad:
                    problems.append(f"{guide}:{number}: the program has no message `{message}` "
                                    f"(not found: {' / '.join(repr(b) for b in bad)})")
    return problems


def slug(text):
    """The anchor that the page gives a heading (as Python-Markdown's toc)."""
    text = re.sub(r"`", "", text)
    text = unicodedata.normalize("NFKD", text).encode("ascii", "ignore").decode("ascii")
    text = re.sub(r"[^\w\s-]", "", text).strip().lower()
    return re.sub(r"[-\s]+", "-", text)


def headings(lines):
    """(line number, level, text, anchor) of every heading outside code blocks."""
    found, seen, fenced = [], {}, False
    for number, line in enumerate(lines, 1):
        if line.strip().startswith("```"):
            fenced = not fenced
            continue
        match = None if fenced else re.match(r"^(#{1,6}) (.+?)\s*$", line)
        if not match:
            continue
        text = match.group(2)
        explicit = re.search(r"\s*\{#([\w-]+)\}$", text)
        if explicit:
            anchor, text = explicit.group(1), text[:explicit.start()]
        else:
            anchor = slug(text)
            if anchor in seen:
                seen[anchor] += 1
                anchor = f"{anchor}_{seen[anchor]}"
        seen.setdefault(anchor, 0)
        found.append((number, len(match.group(1)), text, anchor))
    return found


def link_problems(guide, lines, heads):
    problems = []
    anchors = {h[3] for h in heads}
    duplicates = sorted({a for a in anchors if [h[3] for h in heads].count(a) > 1})
    problems += [f"{guide}: two headings have the anchor #{a}" for a in duplicates]
    fenced = False
    for number, line in enumerate(lines, 1):
        if line.strip().startswith("```"):
            fenced = not fenced
        if fenced:
            continue
        here = [h for h in heads if h[0] <= number]
        section = here[-1][3] if here else None
        for target in re.findall(r'\]\(#([^)\s]+)\)|href="#([^"]+)"', line):
            target = target[0] or target[1]
            if target not in anchors:
                problems.append(f"{guide}:{number}: link to #{target}, which no heading has")
            elif target == section:
                problems.append(f"{guide}:{number}: link to #{target}, the section it stands in")
    return problems


def commands(root):
    """The command words of the language's one vocabulary table."""
    with open(os.path.join(root, "src", "lang", "Vocabulary.h"), encoding="utf-8") as f:
        table = f.read()
    names = re.findall(r'\{"(/\w+)", _\w+, (?:true|false), true,', table)
    if not names:
        sys.exit("guide checks: no command words found in src/lang/Vocabulary.h")
    return ["@"] + names


def command_problems(guide, lines, heads, root):
    problems = []
    for name in commands(root):
        anchor_names = {"@": "at", "/else": "if", "/while": "do"}
        anchor = "cmd-" + anchor_names.get(name, name.lstrip("/"))
        head = next((h for h in heads if h[3] == anchor), None)
        if head is None:
            problems.append(f"{guide}: the command {name} has no reference section (a heading {{#{anchor}}})")
            continue
        if not re.search(r"(?<![\w/])" + re.escape(name) + r"(?!\w)", head[2]):
            problems.append(f"{guide}:{head[0]}: the heading of #{anchor} does not name {name}")
        following = [h for h in heads if h[0] > head[0] and h[1] <= head[1]]
        end = following[0][0] if following else len(lines) + 1
        if not any(l.strip() == "```qd" for l in lines[head[0]:end - 1]):
            problems.append(f"{guide}:{head[0]}: the section of {name} has no example (```qd block)")
    return problems


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    guide, root = sys.argv[1], sys.argv[2]
    with open(guide, encoding="utf-8") as f:
        lines = f.read().split("\n")
    heads = headings(lines)
    # Messages take command words from the vocabulary, some in capitals.
    literals = string_literals(root) | {w for c in commands(root) for w in (c, c.upper())}
    problems = message_problems(guide, lines, literals)
    quoted = sum(len(re.findall(r"`[^`]+`", l)) for l in lines if l.startswith("|"))
    problems += link_problems(guide, lines, heads)
    problems += command_problems(guide, lines, heads, root)
    for problem in problems:
        print(problem)
    print(f"guide checks: {len(commands(root))} commands, {len(heads)} headings, "
          f"{quoted} table texts in backticks; {len(problems)} problem(s)")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
