#!/usr/bin/python3
"""check_cnc_dxf.py DIR: for every NAME.json in DIR, reads NAME_r2000.dxf and NAME_r12.dxf
with ezdxf's strict reader and audits them. The header must say millimetres; "CIECIE" holds
only closed polylines with no vertex doubled, as many as the JSON's "cuts", each as long and
enclosing as much as its cut (0.01 mm, 0.01 mm2); "ZNACZENIE" holds LINEs, "OPISY" TEXTs,
and nothing else is in the file. The header's extent holds every entity as ezdxf measures it,
and the active viewport looks from the origin at all of it (a reader that takes the view's
lower-left corner for the origin opens it whole too); no text keeps a typographic dash.
Exits 1 when any file fails, 2 when there is nothing to check.
"""

import json
import math
import pathlib
import sys

import ezdxf
from ezdxf import bbox

TOLERANCE = 0.01
RELEASES = {"_r2000.dxf": ("AC1015", "LWPOLYLINE"), "_r12.dxf": ("AC1009", "POLYLINE")}
LAYER_TYPES = {"ZNACZENIE": "LINE", "OPISY": "TEXT", "UKOS": "LINE"}


def vertices_of(entity):
    if entity.dxftype() == "LWPOLYLINE":
        return list(entity.get_points("xy")), entity.closed
    return [(v.dxf.location.x, v.dxf.location.y) for v in entity.vertices], entity.is_closed


def measure(points):
    length = 0.0
    twice_area = 0.0
    for k, (ax, ay) in enumerate(points):
        bx, by = points[(k + 1) % len(points)]
        length += math.hypot(bx - ax, by - ay)
        twice_area += ax * by - bx * ay
    return length, abs(twice_area) / 2


# ezdxf's own measure of a text differs from the program's by a little.
TEXT_TOLERANCE = 0.5


def view_problems(document):
    problems = []
    low = document.header.get("$EXTMIN")
    high = document.header.get("$EXTMAX")
    drawn = bbox.extents(document.modelspace())
    for axis in (0, 1):
        if drawn.extmin[axis] < low[axis] - TEXT_TOLERANCE or drawn.extmax[axis] > high[axis] + TEXT_TOLERANCE:
            problems.append(f"the extent {tuple(low)[:2]}..{tuple(high)[:2]} leaves out "
                            f"{tuple(drawn.extmin)[:2]}..{tuple(drawn.extmax)[:2]}")
            break
    for view in document.viewports.get("*Active"):
        centre, height = view.dxf.center, view.dxf.height
        width = height * view.dxf.aspect_ratio
        left, bottom = centre[0] - width / 2, centre[1] - height / 2
        if abs(left) > 1e-3 or abs(bottom) > 1e-3:
            problems.append(f"the view begins at {left:.3f}, {bottom:.3f}, not at the origin")
        if left + width < high[0] or bottom + height < high[1] or low[0] < 0 or low[1] < 0:
            problems.append("the view does not hold the extent")
    for text in document.modelspace().query("TEXT"):
        if any(f"\\U+{code:04X}" in text.dxf.text for code in range(0x2010, 0x2016)):
            problems.append(f"a typographic dash in {text.dxf.text!r}")
    return problems


def problems_of(dxf_path, release, cut_type, cuts, bevel_length=0.0):
    problems = []
    document = ezdxf.readfile(str(dxf_path))
    problems += [f"audit: {error.message}" for error in document.audit().errors]
    if document.dxfversion != release:
        problems.append(f"release {document.dxfversion}, expected {release}")
    if document.header.get("$INSUNITS") != 4 or document.header.get("$MEASUREMENT") != 1:
        problems.append("the header does not say millimetres")
    read = []
    for entity in document.modelspace():
        layer = entity.dxf.layer
        if layer == "CIECIE":
            if entity.dxftype() != cut_type:
                problems.append(f"{entity.dxftype()} on CIECIE instead of {cut_type}")
                continue
            points, closed = vertices_of(entity)
            if not closed:
                problems.append(f"cut {len(read)} is not closed")
            for k, (ax, ay) in enumerate(points):
                bx, by = points[(k + 1) % len(points)]
                if math.hypot(bx - ax, by - ay) < 1e-9:
                    problems.append(f"cut {len(read)}: vertex {k} doubled")
                    break
            read.append(measure(points))
        elif LAYER_TYPES.get(layer) != entity.dxftype():
            problems.append(f"{entity.dxftype()} on layer {layer!r}")
    problems += view_problems(document)
    bevel = sum(line.dxf.start.distance(line.dxf.end) for line in document.modelspace().query("LINE[layer=='UKOS']"))
    if abs(bevel - bevel_length) > TOLERANCE:
        problems.append(f"the bevel's far edges {bevel:.4f} long, expected {bevel_length:.4f}")
    if len(read) != len(cuts):
        problems.append(f"{len(read)} cuts, expected {len(cuts)}")
    for index, (measured, want) in enumerate(zip(read, cuts)):
        for what, value in zip(("length", "area"), measured):
            if abs(value - want[what]) > TOLERANCE:
                problems.append(f"cut {index}: {what} {value:.4f}, expected {want[what]:.4f}")
    return problems


def main(arguments):
    if len(arguments) != 1:
        print(__doc__, file=sys.stderr)
        return 2
    expectations = sorted(pathlib.Path(arguments[0]).glob("*.json"))
    if not expectations:
        print(f"nothing to check in {arguments[0]}", file=sys.stderr)
        return 2
    failed = False
    for json_path in expectations:
        expected = json.loads(json_path.read_text(encoding="utf-8"))
        cuts = expected["cuts"]
        for suffix, (release, cut_type) in RELEASES.items():
            dxf_path = json_path.with_name(json_path.stem + suffix)
            problems = problems_of(dxf_path, release, cut_type, cuts, expected.get("bevel_length", 0.0))
            if problems:
                failed = True
                print(f"mismatch in {dxf_path.name}: " + "; ".join(problems[:10]))
            else:
                print(f"ok {dxf_path.name}: {len(cuts)} cuts")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
