#!/usr/bin/python3
"""Reads template DXF files back with ezdxf and checks them against what they should hold.

    check_dxf.py DIR

For every NAME.json in DIR, NAME.dxf beside it is loaded and audited; then its entities must be
the JSON's "lines" one for one: LINE entities on the same layer, with the same colour, with
start and end points within 0.005 mm (or, for coordinates of 10 km and more, within the nine
significant digits the file keeps). (Each case's own tests check how many lines its inputs
give.) Prints one line per file; exits 1 when any file fails, 2 when there is nothing to check.
"""

import json
import pathlib
import sys

import ezdxf
from ezdxf import recover

TOLERANCE = 0.005
SIGNIFICANT = 5e-9
LAYERS = {"KONTURY", "TWORZACE"}


def load(path):
    """The document; a file the strict reader refuses (no HEADER section) goes through recover."""
    try:
        return ezdxf.readfile(str(path))
    except ezdxf.DXFStructureError:
        document, _ = recover.readfile(str(path))
        return document


def problems_of(dxf_path, expectation):
    problems = []
    document = load(dxf_path)
    auditor = document.audit()
    problems += [f"audit: {error.message}" for error in auditor.errors]
    entities = list(document.modelspace())
    wanted = expectation["lines"]
    if not wanted:
        problems.append("no lines expected: a template always has some")
    if len(entities) != len(wanted):
        problems.append(f"{len(entities)} entities, expected {len(wanted)}")
    for index, (entity, want) in enumerate(zip(entities, wanted)):
        where = f"entity {index}"
        if entity.dxftype() != "LINE":
            problems.append(f"{where}: {entity.dxftype()} instead of LINE")
            continue
        layer = entity.dxf.layer
        if layer not in LAYERS or layer != want["layer"]:
            problems.append(f"{where}: layer {layer!r}, expected {want['layer']!r}")
        if entity.dxf.color != want["colour"]:
            problems.append(f"{where}: colour {entity.dxf.color}, expected {want['colour']}")
        start, end = entity.dxf.start, entity.dxf.end
        read = {"x1": start.x, "y1": start.y, "x2": end.x, "y2": end.y}
        for key, value in read.items():
            # The file keeps two decimals, and at most nine significant digits.
            tolerance = max(TOLERANCE, SIGNIFICANT * abs(want[key])) * (1 + 1e-9) + 1e-9
            if abs(value - want[key]) > tolerance:
                problems.append(f"{where} {key}: {value}, expected {want[key]}")
        if start.z != 0 or end.z != 0:
            problems.append(f"{where}: not in the drawing plane")
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
        expectation = json.loads(json_path.read_text(encoding="utf-8"))
        problems = problems_of(json_path.with_suffix(".dxf"), expectation)
        if problems:
            failed = True
            print(f"mismatch in {json_path.stem}: " + "; ".join(problems[:10]))
        else:
            print(f"ok {json_path.stem}: {len(expectation['lines'])} lines")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
