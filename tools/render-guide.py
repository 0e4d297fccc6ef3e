#!/usr/bin/env python3
"""Renders the Markdown user guide into one self-contained HTML page: the
style sheet is inline, a table of contents follows the title, and nothing is
fetched from elsewhere. The output depends on the input only (no dates, no
paths), so the same guide always gives the same bytes.

A link to an anchor of the page that no heading provides is an error, so a
renamed section cannot leave a dead link behind.

Usage: render-guide.py GUIDE.md OUTPUT.html
Needs Python's markdown package (Debian: python3-markdown).
"""
import html
import re
import sys

import markdown

STYLE = """
body { font-family: "Segoe UI", Tahoma, sans-serif; font-size: 15px; line-height: 1.5;
       color: #1b1b1b; max-width: 52em; margin: 2em auto; padding: 0 1.5em; }
h1 { font-size: 2em; border-bottom: 2px solid #2b5797; padding-bottom: .2em; }
h2 { font-size: 1.5em; margin-top: 2em; border-bottom: 1px solid #ccc; padding-bottom: .1em; }
h3 { font-size: 1.2em; margin-top: 1.5em; }
a { color: #2b5797; }
code { font-family: Consolas, "Courier New", monospace; font-size: .93em;
       background: #f2f2f2; padding: 0 .2em; }
pre { background: #f6f6f6; border: 1px solid #ddd; border-left: 4px solid #2b5797;
      padding: .7em 1em; overflow-x: auto; }
pre code { background: none; padding: 0; }
pre.example::before { content: "Example"; display: block; font-family: "Segoe UI", Tahoma, sans-serif;
                      font-size: .8em; font-weight: bold; color: #2b5797; margin-bottom: .3em; }
table { border-collapse: collapse; margin: 1em 0; }
th, td { border: 1px solid #ccc; padding: .3em .6em; vertical-align: top; text-align: left; }
th { background: #eef2f8; }
nav.toc { background: #f8f9fb; border: 1px solid #dde3ec; padding: .5em 1.5em; }
nav.toc ul { padding-left: 1.2em; margin: .2em 0; }
@media print { nav.toc { display: none; } pre { white-space: pre-wrap; } }
""".strip()


def render(text):
    md = markdown.Markdown(extensions=["tables", "fenced_code", "toc", "sane_lists"],
                           extension_configs={"toc": {"toc_depth": "2-3"}})
    # Command-file examples (the blocks that the tests run) get a label.
    body = md.convert(text).replace('<pre><code class="language-qd">', '<pre class="example"><code class="language-qd">')
    title = re.search(r"^# (.+)$", text, re.M)
    return (title.group(1) if title else "User guide"), md.toc, body


def dead_links(body):
    anchors = set(re.findall(r'\bid="([^"]+)"', body))
    return sorted(set(re.findall(r'href="#([^"]+)"', body)) - anchors)


def page(title, toc, body):
    # The table of contents goes after the title and the first paragraphs.
    first_section = body.find("<h2")
    if first_section < 0:
        first_section = len(body)
    return (
        "<!DOCTYPE html>\n"
        '<html lang="en">\n<head>\n<meta charset="utf-8">\n'
        '<meta name="viewport" content="width=device-width, initial-scale=1">\n'
        f"<title>{html.escape(title)}</title>\n<style>\n{STYLE}\n</style>\n</head>\n<body>\n"
        f"{body[:first_section]}"
        f'<nav class="toc">\n<h2 id="contents">Contents</h2>\n{toc}</nav>\n'
        f"{body[first_section:]}\n</body>\n</html>\n"
    )


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    source, target = sys.argv[1], sys.argv[2]
    with open(source, encoding="utf-8") as f:
        title, toc, body = render(f.read())
    missing = dead_links(body)
    if missing:
        sys.exit(f"{source}: links to missing sections: " + ", ".join("#" + a for a in missing))
    with open(target, "w", encoding="utf-8", newline="\n") as f:
        f.write(page(title, toc, body))


if __name__ == "__main__":
    main()
