#!/usr/bin/python3
"""Reads back every text of the full-scale templates that blachorys-cli writes, with no display.

    check_template_texts.py CLI WORKDIR

For every calculator and development, at N = 24 and at its largest N, the template on upright
A4 is written and its words' boxes are read with pdftotext -bbox (poppler-utils). Checked: every
word lies inside the printable area (the 5 mm margin the program keeps), no two words of a page
overlap, and the numbered points include point 0. Exits 1 on any failure.
"""

import os
import re
import subprocess
import sys

POINTS_PER_MM = 72 / 25.4
MARGIN_PT = 5.0 * POINTS_PER_MM
# Boxes may touch by rounding of the PDF's numbers, not overlap.
TOUCH_PT = 0.05
WORD = re.compile(r'<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>')
PAGE = re.compile(r'<page width="([\d.]+)" height="([\d.]+)">(.*?)</page>', re.S)
FAILURES = []


def calculators(cli):
    """Each calculator of `cli --list`: its key, its developments ([None] for none), its largest N."""
    listed = subprocess.run([cli, "--list"], capture_output=True, text=True, check=True).stdout
    found = []
    for line in listed.splitlines():
        words = line.split()
        if not line.startswith(" "):
            found.append([words[0], [], 0])
        elif words[0] == "development":
            found[-1][1].append(words[1])
        elif words[0] == "largest-N":
            found[-1][2] = int(words[1])
    return [(key, developments or [None], largest) for key, developments, largest in found]


def check(condition, what):
    if not condition:
        print("FAIL " + what)
        FAILURES.append(what)


def overlap(a, b):
    return (a[0] < b[2] - TOUCH_PT and b[0] < a[2] - TOUCH_PT and
            a[1] < b[3] - TOUCH_PT and b[1] < a[3] - TOUCH_PT)


def check_pdf(pdf, what):
    xml = subprocess.run(["pdftotext", "-bbox", pdf, "-"], capture_output=True, text=True,
                         check=True).stdout
    pages = PAGE.findall(xml)
    check(len(pages) >= 2, f"{what}: an overview and a sheet ({len(pages)} pages)")
    numbers = set()
    for number, (width, height, body) in enumerate(pages, start=1):
        width, height = float(width), float(height)
        words = [(float(a), float(b), float(c), float(d), text) for a, b, c, d, text in WORD.findall(body)]
        for word in words:
            check(word[0] >= MARGIN_PT - TOUCH_PT and word[1] >= MARGIN_PT - TOUCH_PT and
                  word[2] <= width - MARGIN_PT + TOUCH_PT and word[3] <= height - MARGIN_PT + TOUCH_PT,
                  f"{what} page {number}: '{word[4]}' at {word[:4]} lies outside the printable area")
        # Words sorted by their left edge: only those that reach past it can overlap it.
        words.sort()
        for i, word in enumerate(words):
            for other in words[i + 1:]:
                if other[0] >= word[2]:
                    break
                check(not overlap(word, other),
                      f"{what} page {number}: '{word[4]}' {word[:4]} overlaps '{other[4]}' {other[:4]}")
        if number > 1:
            numbers.update(word[4] for word in words)
    # Named as the report names it: "Xo0", "h0", "hA0", the transition's "1-0", the shell's "a".
    check(any(re.fullmatch(r"[A-Za-z]*0|1-0|a", word) for word in numbers),
          f"{what}: point 0 is numbered")
    return len(pages)


def main():
    cli, workdir = sys.argv[1], sys.argv[2]
    os.makedirs(workdir, exist_ok=True)
    environment = {k: v for k, v in os.environ.items()
                   if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
    listed = calculators(cli)
    check(len(listed) > 0, "blachorys-cli --list names the calculators")
    for calculator, developments, largest in listed:
        for development in developments:
            for divisions in (24, largest):
                what = f"{calculator} {development or ''} N={divisions}"
                pdf = os.path.join(workdir, f"{calculator}_{development}_{divisions}.pdf")
                arguments = [cli, calculator, f"N={divisions}", "--orientation", "portrait",
                             "--template-pdf", pdf]
                if development:
                    arguments[2:2] = ["--development", development]
                done = subprocess.run(arguments, env=environment, capture_output=True, text=True)
                check(done.returncode == 0, f"{what}: blachorys-cli exits 0 ({done.stderr[:200]})")
                if done.returncode == 0:
                    print(f"ok   {what}: {check_pdf(pdf, what)} pages read")
    print(f"{len(FAILURES)} failures")
    return 1 if FAILURES else 0


if __name__ == "__main__":
    sys.exit(main())
