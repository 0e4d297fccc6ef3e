#!/usr/bin/env python3
"""Renders the Markdown user guide into one self-contained HTML page: the
style sheet is inline, nothing is fetched from elsewhere and the page needs
no script. The output depends on the input only (no dates, no paths), so the
same guide always gives the same bytes.

The page:
- contents in a side column that stays in view on wide screens, and in a
  <details> element that opens on a click on narrow ones;
- every table fits a narrow screen: its cells wrap, and below 40em each row
  is stacked as a card whose cells are labelled with their column's header;
- every command-file example (a ```qd block) shows the script without its
  "# expect" lines, followed by a "Result" box that says what those lines
  say: the message boxes, the Information window, the exit status.

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
* { box-sizing: border-box; }
body { font-family: "Segoe UI", Tahoma, sans-serif; font-size: 15px; line-height: 1.5;
       color: #1b1b1b; margin: 0; }
.layout { max-width: 78em; margin: 0 auto; padding: 0 1.5em; }
main { min-width: 0; max-width: 52em; }
h1 { font-size: 2em; border-bottom: 2px solid #2b5797; padding-bottom: .2em; }
h2 { font-size: 1.5em; margin-top: 2em; border-bottom: 1px solid #ccc; padding-bottom: .1em; }
h3 { font-size: 1.2em; margin-top: 1.5em; }
h1, h2, h3, h4 { overflow-wrap: anywhere; }
a { color: #2b5797; }
p, li, td, th { overflow-wrap: break-word; }
code { font-family: Consolas, "Courier New", monospace; font-size: .93em;
       background: #f2f2f2; padding: 0 .2em; overflow-wrap: anywhere; }
pre { background: #f6f6f6; border: 1px solid #ddd; border-left: 4px solid #2b5797;
      padding: .7em 1em; white-space: pre-wrap; overflow-wrap: anywhere; }
pre code { background: none; padding: 0; }
.example { margin: 1em 0; }
.example pre { margin: 0; }
.example pre::before { content: "Example"; display: block; font-family: "Segoe UI", Tahoma, sans-serif;
                       font-size: .8em; font-weight: bold; color: #2b5797; margin-bottom: .3em; }
.result { border: 1px solid #b9d3b0; border-left: 4px solid #3a7d2c; border-top: 0;
          background: #f3f9f1; padding: .5em 1em; }
.result .label { font-size: .8em; font-weight: bold; color: #3a7d2c; }
.result ul { list-style: none; margin: .2em 0; padding: 0; }
.result li { margin: .15em 0; }
.result .kind { color: #555; }
.result pre { background: #fff; border: 1px solid #cde0c6; border-left: 1px solid #cde0c6;
              margin: .2em 0 .4em; padding: .3em .6em; }
.result pre::before { content: none; }
table { border-collapse: collapse; margin: 1em 0; max-width: 100%; }
th, td { border: 1px solid #ccc; padding: .3em .6em; vertical-align: top; text-align: left; }
th { background: #eef2f8; }
nav.toc { font-size: .9em; }
nav.toc ul { padding-left: 1.1em; margin: .2em 0; }
nav.toc > details, nav.toc.side { background: #f8f9fb; border: 1px solid #dde3ec; padding: .5em 1em; }
nav.toc summary { font-weight: bold; cursor: pointer; }
nav.toc .title { font-weight: bold; margin: 0 0 .3em; }
nav.toc.side { display: none; }
@media (min-width: 64em) {
  .layout { display: grid; grid-template-columns: 17em minmax(0, 1fr); gap: 2.5em; }
  nav.toc.side { display: block; position: sticky; top: 0; align-self: start;
                 max-height: 100vh; overflow-y: auto; margin-top: 1em; }
  nav.toc.inline { display: none; }
}
@media (max-width: 40em) {
  .layout { padding: 0 .8em; }
  table.stack, table.stack thead, table.stack tbody, table.stack tr, table.stack td { display: block; }
  table.stack thead { display: none; }
  table.stack tr { border: 1px solid #ccc; margin: .6em 0; }
  table.stack td { border: 0; border-top: 1px solid #eee; }
  table.stack td:first-child { border-top: 0; background: #eef2f8; }
  table.stack td[data-label]::before { content: attr(data-label) ": "; font-weight: bold; color: #555; }
  table.stack td:first-child::before { content: none; }
}
@media print { nav.toc { display: none; } }
""".strip()

# What the "# expect" lines of an example say, as the Result box shows them.
STREAMS = {"Information": "Message box", "Warning": "Warning box", "Error": "Error box"}


def result_box(expects):
    """The Result box of an example from its "# expect" lines."""
    items, boxes, log = [], [], []
    status = "0"
    for key, value in expects:
        if key == "stderr":
            caption, _, text = value.partition(": ")
            if caption in STREAMS and (not boxes or boxes[-1][0] != caption or text):
                boxes.append([caption, [text]])
            elif boxes:
                boxes[-1][1].append(value)
            else:
                boxes.append(["", [value]])
        elif key == "stdout":
            log.append(value)
        elif key == "status":
            status = value
        elif key == "platform":
            items.append(("Runs on", "Windows only" if value == "win32" else value))
        elif key == "args":
            items.append(("Run as", "tarv32.exe " + value))
        elif key == "env":
            items.append(("Environment", value))
        elif key == "stdin":
            items.append(("Input line", value))
        elif key.endswith("-contains"):
            items.append(("Shows a line holding", value))
    parts = ['<div class="result"><div class="label">Result</div><ul>']
    for kind, value in items:
        parts.append(f'<li><span class="kind">{kind}:</span> <code>{html.escape(value)}</code></li>')
    for caption, lines in boxes:
        kind = STREAMS.get(caption, "Message")
        text = "\n".join(lines).replace("{case}", "FILE")
        parts.append(f'<li><span class="kind">{kind}:</span><pre>{html.escape(text)}</pre></li>')
    if log:
        text = "\n".join(log).replace("{case}", "FILE")
        parts.append(f'<li><span class="kind">Information window:</span><pre>{html.escape(text)}</pre></li>')
    parts.append(f'<li><span class="kind">Exit status:</span> {html.escape(status)}</li>')
    parts.append("</ul></div>")
    return "".join(parts)


def example(match):
    lines = html.unescape(match.group(1)).split("\n")
    script, expects = [], []
    for line in lines:
        if line.startswith("# expect "):
            key, _, value = line[len("# expect "):].partition(": ")
            expects.append((key.rstrip(":"), value))
        else:
            script.append(line)
    text = "\n".join(script).strip("\n")
    code = f'<pre><code class="language-qd">{html.escape(text, quote=False)}\n</code></pre>' if text else ""
    return f'<div class="example">{code}{result_box(expects)}</div>'


def stack_tables(body):
    """Gives each data cell the header of its column, for the stacked layout."""
    def one(match):
        table = match.group(0)
        headers = [re.sub(r"<[^>]+>", "", h).strip() for h in re.findall(r"<th[^>]*>(.*?)</th>", table, re.S)]

        def row(m):
            cells = iter(headers)
            return re.sub(r"<td([^>]*)>", lambda c: f'<td{c.group(1)} data-label="{html.escape(next(cells, ""))}">',
                          m.group(0))
        return re.sub(r"<tr>.*?</tr>", row, table.replace("<table>", '<table class="stack">', 1), flags=re.S)
    return re.sub(r"<table>.*?</table>", one, body, flags=re.S)


def render(text):
    md = markdown.Markdown(extensions=["tables", "fenced_code", "toc", "sane_lists", "attr_list"],
                           extension_configs={"toc": {"toc_depth": "2-3"}})
    body = md.convert(text)
    body = re.sub(r'<pre><code class="language-qd">(.*?)</code></pre>', example, body, flags=re.S)
    body = stack_tables(body)
    title = re.search(r"^# (.+)$", text, re.M)
    return (title.group(1) if title else "User guide"), md.toc, body


def dead_links(body):
    anchors = set(re.findall(r'\bid="([^"]+)"', body))
    return sorted(set(re.findall(r'href="#([^"]+)"', body)) - anchors)


def page(title, toc, body):
    # The contents: a side column on wide screens, a <details> element after
    # the title and the first paragraphs on narrow ones.
    toc = toc.replace('<div class="toc">', "").rstrip()
    toc = toc[:-len("</div>")] if toc.endswith("</div>") else toc
    first_section = body.find("<h2")
    if first_section < 0:
        first_section = len(body)
    return (
        "<!DOCTYPE html>\n"
        '<html lang="en">\n<head>\n<meta charset="utf-8">\n'
        '<meta name="viewport" content="width=device-width, initial-scale=1">\n'
        f"<title>{html.escape(title)}</title>\n<style>\n{STYLE}\n</style>\n</head>\n<body>\n"
        '<div class="layout">\n'
        f'<nav class="toc side" aria-label="Contents">\n<p class="title">Contents</p>\n{toc}\n</nav>\n'
        "<main>\n"
        f"{body[:first_section]}"
        f'<nav class="toc inline" aria-label="Contents">\n<details>\n<summary>Contents</summary>\n{toc}\n'
        "</details>\n</nav>\n"
        f"{body[first_section:]}\n</main>\n</div>\n</body>\n</html>\n"
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
