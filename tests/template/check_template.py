#!/usr/bin/python3
"""Measures the full-scale template PDF that blachorys-cli writes, with no display.

    check_template.py CLI WORKDIR

Each page is turned into SVG by pdftocairo (poppler-utils) and its stroked lines are read back
in points. Checked, for the pipe-pipe defaults: the 100 mm check bars are 283.46 pt long; the
template's base line, summed over the pages it crosses less the overlaps, is pi * Dm; with a
scale correction of 101 % along X it is 1 % longer; the page count is what the page grid gives
(worked out again here from the DXF's lines, empty pages left out). For the cone defaults,
far from the origin, every page holds some of the pattern. For the pipe-cone defaults, the longest
generator (from the base line down to the lowest point of the cut curve, across the rows of
pages) is the exact 645.5 mm, not the 640.2 mm between the reported points. Exits 1 on any
mismatch.
"""

import math
import os
import re
import subprocess
import sys
import xml.etree.ElementTree as ElementTree

POINTS_PER_MM = 72 / 25.4
# The layout the program promises: the margin kept on every side and the bands round the frame.
MARGIN_MM = 5.0
BANDS_MM = {"top": 10.0, "bottom": 14.0, "left": 14.0, "right": 8.0}
A4_MM = (210.0, 297.0)
# The base line is drawn as the preview draws it: black, 0.3 mm (0.85 pt); thin black is a cross.
BASE_LINE_RGB = (0, 0, 0)
OUTLINE_MIN_PT = 0.6
CHECK_BAR_RGB = (0, 0, 255)
FAILURES = []


def check(condition, what):
    print(("ok   " if condition else "FAIL ") + what)
    if not condition:
        FAILURES.append(what)


def run_cli(cli, arguments):
    environment = {k: v for k, v in os.environ.items()
                   if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
    done = subprocess.run([cli] + arguments, env=environment, capture_output=True, text=True)
    check(done.returncode == 0, f"blachorys-cli {' '.join(arguments)} exits 0 with no display "
                                f"({done.returncode}: {done.stderr.strip()[:200]})")


def page_count(pdf):
    info = subprocess.run(["pdfinfo", pdf], capture_output=True, text=True, check=True).stdout
    return int(re.search(r"^Pages:\s+(\d+)", info, re.M).group(1))


def strokes(pdf, page, workdir):
    """Every stroked straight piece of a page: (rgb, width pt, x1, y1, x2, y2) in points."""
    svg = os.path.join(workdir, f"page{page}.svg")
    subprocess.run(["pdftocairo", "-svg", "-f", str(page), "-l", str(page), pdf, svg], check=True)
    pieces = []
    for path in ElementTree.parse(svg).iter("{http://www.w3.org/2000/svg}path"):
        style = path.get("style", "")
        colour = re.search(r"stroke:rgb\(([\d.]+)%,([\d.]+)%,([\d.]+)%\)", style)
        if colour is None:
            continue
        rgb = tuple(round(float(c) * 255 / 100) for c in colour.groups())
        matrix = [1, 0, 0, 1, 0, 0]
        transform = re.search(r"matrix\(([^)]*)\)", path.get("transform", ""))
        if transform:
            matrix = [float(v) for v in transform.group(1).split(",")]
        width = float(re.search(r"stroke-width:([\d.]+)", style).group(1)) * matrix[0]
        numbers = re.findall(r"([ML]) ([-\d.]+) ([-\d.]+)", path.get("d", ""))
        previous = None
        for command, x, y in numbers:
            x, y = float(x), float(y)
            point = (matrix[0] * x + matrix[2] * y + matrix[4], matrix[1] * x + matrix[3] * y + matrix[5])
            if command == "L" and previous is not None:
                pieces.append((rgb, width) + previous + point)
            previous = point
    return pieces


def length(piece):
    return math.hypot(piece[4] - piece[2], piece[5] - piece[3])


def dxf_lines(path):
    """(x1, y1, x2, y2) of every LINE of a DXF written by the program."""
    lines = open(path, encoding="cp1250", newline="").read().split("\r\n")
    found = []
    for i, text in enumerate(lines):
        if text == "LINE":
            values = {lines[j]: lines[j + 1] for j in range(i + 1, i + 17, 2)}
            found.append(tuple(float(values[code]) for code in (" 10", " 20", " 11", " 21")))
    return found


def clips(line, left, right, bottom, top):
    """Whether a piece of the line, longer than a point, lies in the rectangle (Liang-Barsky)."""
    x1, y1, x2, y2 = line
    dx, dy = x2 - x1, y2 - y1
    enter, leave = 0.0, 1.0
    for p, q in ((-dx, x1 - left), (dx, right - x1), (-dy, y1 - bottom), (dy, top - y1)):
        if p == 0:
            if q < 0:
                return False
            continue
        t = q / p
        if p < 0:
            enter = max(enter, t)
        else:
            leave = min(leave, t)
    return enter < leave


def tiles(length_mm, tile, overlap):
    return 1 if length_mm <= tile else 1 + math.ceil((length_mm - tile) / (tile - overlap))


def expected_pages(lines, overlap=10.0, scale_x=1.0, scale_y=1.0):
    """Pages the grid gives for A4, upright or lying, whichever needs fewer (upright on a tie)."""
    min_x = min(min(l[0], l[2]) for l in lines)
    max_x = max(max(l[0], l[2]) for l in lines)
    min_y = min(min(l[1], l[3]) for l in lines)
    max_y = max(max(l[1], l[3]) for l in lines)
    best = None
    for paper_width, paper_height in (A4_MM, A4_MM[::-1]):
        frame_width = paper_width - 2 * MARGIN_MM - BANDS_MM["left"] - BANDS_MM["right"]
        frame_height = paper_height - 2 * MARGIN_MM - BANDS_MM["top"] - BANDS_MM["bottom"]
        tile_width, tile_height = frame_width / scale_x, frame_height / scale_y
        columns = tiles(max_x - min_x, tile_width, overlap)
        rows = tiles(max_y - min_y, tile_height, overlap)
        grid_width = columns * (tile_width - overlap) + overlap
        grid_height = rows * (tile_height - overlap) + overlap
        left0 = min_x - (grid_width - (max_x - min_x)) / 2
        top0 = max_y + (grid_height - (max_y - min_y)) / 2
        printed = 0
        for row in range(rows):
            for column in range(columns):
                left = left0 + column * (tile_width - overlap)
                top = top0 - row * (tile_height - overlap)
                if any(clips(l, left, left + tile_width, top - tile_height, top) for l in lines):
                    printed += 1
        if best is None or printed < best:
            best = printed
    return best


def base_line_mm(pdf, workdir, scale_x):
    """The base line on every tile page, summed, in mm of paper, and its page count."""
    total, pages = 0.0, 0
    for page in range(2, page_count(pdf) + 1):
        base = [p for p in strokes(pdf, page, workdir)
                if p[0] == BASE_LINE_RGB and p[1] > OUTLINE_MIN_PT]
        if base:
            pages += 1
            total += sum(length(p) for p in base) / POINTS_PER_MM
    return total, pages


CURVE_RGB = (0, 140, 0)


def page_row(pdf, page):
    """The row of a tile page, from the letters of its name ("B3": 1)."""
    text = subprocess.run(["pdftotext", "-f", str(page), "-l", str(page), pdf, "-"],
                          capture_output=True, text=True, check=True).stdout
    letters = re.search(r"^([A-Z]+)\d+ .* - strona ", text, re.M).group(1)
    row = 0
    for letter in letters:
        row = row * 26 + ord(letter) - ord("A") + 1
    return row - 1


def longest_generator_mm(pdf, workdir, overlap=10.0):
    """Base line to the curve's lowest point, upright A4 tiles at 100 %, in mm."""
    step = A4_MM[1] - 2 * MARGIN_MM - BANDS_MM["top"] - BANDS_MM["bottom"] - overlap
    base, lowest = None, None
    for page in range(2, page_count(pdf) + 1):
        row = page_row(pdf, page)
        pieces = [p for p in strokes(pdf, page, workdir) if p[1] > OUTLINE_MIN_PT]
        for rgb, _, x1, y1, x2, y2 in pieces:
            # Down the pattern from the top of row 0's frame, in mm.
            low = row * step + max(y1, y2) / POINTS_PER_MM
            if rgb == BASE_LINE_RGB and abs(y1 - y2) < 1e-6:
                base = low if base is None else min(base, low)
            if rgb == CURVE_RGB:
                lowest = low if lowest is None else max(lowest, low)
    return None if base is None or lowest is None else lowest - base


def main(arguments):
    if len(arguments) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    cli, workdir = arguments
    os.makedirs(workdir, exist_ok=True)
    plain = os.path.join(workdir, "rurarura.pdf")
    stretched = os.path.join(workdir, "rurarura_101.pdf")
    dxf = os.path.join(workdir, "rurarura.dxf")
    run_cli(cli, ["rurarura", "--template-pdf", plain, "--dxf", dxf])
    run_cli(cli, ["rurarura", "--template-pdf", stretched, "--scale-x", "101.0"])

    lines = dxf_lines(dxf)
    pages = page_count(plain)
    check(pages - 1 == expected_pages(lines),
          f"pipe-pipe: {pages - 1} template pages, the grid gives {expected_pages(lines)}")

    for page in range(2, pages + 1):
        bars = [length(p) for p in strokes(plain, page, workdir)
                if p[0] == CHECK_BAR_RGB and length(p) > 50]
        check(len(bars) == 2 and all(abs(b - 283.46) <= 0.1 for b in bars),
              f"page {page}: check bars {[round(b, 2) for b in bars]} pt, 283.46 expected")

    width = math.pi * 300
    total, crossed = base_line_mm(plain, workdir, 1.0)
    measured = total - (crossed - 1) * 10.0
    check(abs(measured - width) <= 0.1,
          f"base line over {crossed} pages less the overlaps: {measured:.3f} mm, pi*Dm = {width:.3f}")
    total, crossed = base_line_mm(stretched, workdir, 1.01)
    measured = total - (crossed - 1) * 10.0 * 1.01
    check(abs(measured - 1.01 * width) <= 0.1,
          f"at 101 % along X: {measured:.3f} mm, 1.01*pi*Dm = {1.01 * width:.3f}")

    cone = os.path.join(workdir, "stozek.pdf")
    cone_dxf = os.path.join(workdir, "stozek.dxf")
    run_cli(cli, ["stozek", "--template-pdf", cone, "--dxf", cone_dxf])
    cone_lines = dxf_lines(cone_dxf)
    cone_pages = page_count(cone) - 1
    check(cone_pages == expected_pages(cone_lines),
          f"cone: {cone_pages} template pages, the grid over the pattern alone gives "
          f"{expected_pages(cone_lines)}")
    # Outlines are 0.3 mm (0.85 pt); generators are the only red; frames, crosses and bars are
    # grey, thin black or blue.
    outline_colours = {(0, 0, 0), (0, 140, 0), (190, 0, 190)}
    for page in range(2, cone_pages + 2):
        pattern = [p for p in strokes(cone, page, workdir)
                   if p[0] == (200, 0, 0) or (p[0] in outline_colours and p[1] > OUTLINE_MIN_PT)]
        check(bool(pattern), f"cone page {page} holds some of the pattern")

    branch = os.path.join(workdir, "rurastozek.pdf")
    run_cli(cli, ["rurastozek", "--template-pdf", branch])
    longest = longest_generator_mm(branch, workdir)
    check(longest is not None and abs(longest - 645.5) <= 0.1,
          f"pipe-cone: longest generator {longest if longest is None else round(longest, 2)} mm, "
          f"645.5 expected")

    print(f"{len(FAILURES)} failures")
    return 1 if FAILURES else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
