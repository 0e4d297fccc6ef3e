#!/usr/bin/env python3
"""Looks at the rendered user guide in a real browser (headless Chromium) at
a desktop width and a phone width: the page must not scroll sideways, the
contents must stand in the sticky side column on the wide screen and in the
collapsed <details> element on the narrow one, and the page must hold no
script. A screenshot of each width is kept beside the page
(user-guide-WIDTH.png).

The page itself carries no script, so the measuring is done by a separate
wrapper page that loads the guide into an iframe of the width under test and
writes what it measured into its own DOM, which Chromium prints
(--dump-dom).

Exit status 0: all good; 1: a check failed; 77: no Chromium here (skipped).
Usage: check-guide-page.py PAGE.html [WIDTH...]   (default widths 1280 400)
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile

SKIPPED = 77
BROWSERS = ("chromium", "chromium-browser", "google-chrome")
HEIGHT = 900

WRAPPER = """<!DOCTYPE html>
<html><head><meta charset="utf-8"></head><body style="margin:0">
<iframe id="page" src="guide.html" style="width:%(width)dpx;height:%(height)dpx;border:0;display:block"></iframe>
<pre id="out">PENDING</pre>
<script>
document.getElementById("page").onload = function () {
  var w = this.contentWindow, d = w.document, root = d.documentElement;
  function shown(selector) {
    var e = d.querySelector(selector);
    return e ? w.getComputedStyle(e).display !== "none" : false;
  }
  var side = d.querySelector("nav.toc.side");
  var wide = [];
  d.querySelectorAll("body *").forEach(function (e) {
    var r = e.getBoundingClientRect();
    if (r.width > 0 && r.right > w.innerWidth + 0.5 && wide.length < 5)
      wide.push(e.tagName.toLowerCase() + (e.className ? "." + e.className : "") + "=" + Math.round(r.right));
  });
  document.getElementById("out").textContent =
    "RESULT innerWidth=" + w.innerWidth + " scrollWidth=" + root.scrollWidth +
    " scripts=" + d.scripts.length +
    " side=" + (shown("nav.toc.side") ? w.getComputedStyle(side).position : "hidden") +
    " inline=" + (shown("nav.toc.inline") ? (d.querySelector("nav.toc.inline details").open ? "open" : "closed") : "hidden") +
    " results=" + d.querySelectorAll(".result").length +
    " expects=" + Array.prototype.filter.call(d.querySelectorAll(".example pre"), function (e) {
      return e.textContent.indexOf("# expect") >= 0; }).length +
    " wide=" + (wide.join(",") || "none");
};
</script></body></html>
"""


def browser():
    for name in BROWSERS:
        path = shutil.which(name)
        if path:
            return path
    return None


def chromium(program, arguments):
    command = [program, "--headless", "--disable-gpu", "--no-sandbox", "--hide-scrollbars",
               "--no-first-run", "--allow-file-access-from-files"] + arguments
    return subprocess.run(command, capture_output=True, text=True, timeout=120)


def measure(program, folder, width):
    with open(os.path.join(folder, "wrapper.html"), "w", encoding="utf-8") as f:
        f.write(WRAPPER % {"width": width, "height": HEIGHT})
    done = chromium(program, [f"--window-size={width + 200},{HEIGHT + 200}", "--virtual-time-budget=10000",
                              "--dump-dom", "file://" + os.path.join(folder, "wrapper.html")])
    found = re.search(r"RESULT ([^<\n]*)", done.stdout.replace("&quot;", '"'))
    if not found or "innerWidth=\" +" in found.group(0):
        sys.exit(f"the browser gave no measurement at {width} px:\n{done.stderr[-2000:]}")
    return dict(item.split("=", 1) for item in found.group(1).split())


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    page = os.path.abspath(sys.argv[1])
    widths = [int(w) for w in sys.argv[2:]] or [1280, 400]
    program = browser()
    if not program:
        print("skipped: no Chromium found (" + ", ".join(BROWSERS) + "); "
              "install Debian's chromium (tools/setup.sh --all) to check the guide's page")
        return SKIPPED
    if not os.path.isfile(page):
        sys.exit(f"{page}: no such page (build the target user_guide first)")
    failures = []
    with tempfile.TemporaryDirectory(prefix="tarv-page-") as folder:
        shutil.copyfile(page, os.path.join(folder, "guide.html"))
        for width in widths:
            got = measure(program, folder, width)
            shot = os.path.join(os.path.dirname(page), f"user-guide-{width}.png")
            chromium(program, [f"--window-size={width},{HEIGHT}", f"--screenshot={shot}",
                               "file://" + os.path.join(folder, "guide.html")])
            print(f"{width} px: " + " ".join(f"{k}={v}" for k, v in got.items()) +
                  (f" screenshot={shot}" if os.path.isfile(shot) else " (no screenshot)"))
            if int(got["innerWidth"]) != width:
                failures.append(f"{width} px: the page was shown {got['innerWidth']} px wide")
            if int(got["scrollWidth"]) > int(got["innerWidth"]):
                failures.append(f"{width} px: the page scrolls sideways (scrollWidth {got['scrollWidth']} > "
                                f"{got['innerWidth']}; widest: {got['wide']})")
            if got["scripts"] != "0":
                failures.append(f"{width} px: the page holds {got['scripts']} script(s)")
            if got["expects"] != "0":
                failures.append(f"{width} px: an example shows its '# expect' lines")
            if got["results"] == "0":
                failures.append(f"{width} px: no example shows a Result box")
            if width >= 1024 and (got["side"] != "sticky" or got["inline"] != "hidden"):
                failures.append(f"{width} px: the contents are not in the sticky side column "
                                f"(side={got['side']}, inline={got['inline']})")
            if width < 600 and (got["side"] != "hidden" or got["inline"] != "closed"):
                failures.append(f"{width} px: the contents are not a closed <details> element "
                                f"(side={got['side']}, inline={got['inline']})")
    for failure in failures:
        print("FAILED: " + failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
