#!/usr/bin/env python3
"""Every include of the project's sources against the declared order of its folders.

    check_includes.py FOLDERS_TXT SRC_DIR

FOLDERS_TXT, which CMake writes from its declarations, holds one folder of SRC_DIR a line and the
folders it uses ("common/core/pattern:common/core/geometry"). A file may include from its own
folder and from every folder its folder uses, directly or through those it uses; an include from
any other folder of the project runs up or sideways, and fails the check. So does a file in a
folder that was never declared.
"""
import os
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)


def declared(path):
    uses = {}
    for line in open(path, encoding="utf-8"):
        line = line.strip()
        if line:
            folder, _, used = line.partition(":")
            uses[folder] = [u for u in used.split(",") if u]
    return uses


def reachable(uses):
    """Each folder with every folder it uses, directly or not."""
    closure = {}

    def visit(folder, trail):
        if folder in closure:
            return closure[folder]
        if folder in trail:
            sys.exit(f"the folders' order runs round in a circle: {' -> '.join(trail + [folder])}")
        found = set()
        for used in uses.get(folder, []):
            if used not in uses:
                sys.exit(f"{folder} uses {used}, which is not declared")
            found |= {used} | visit(used, trail + [folder])
        closure[folder] = found
        return found

    for folder in uses:
        visit(folder, [])
    return closure


def wrong_includes(uses, source_dir):
    closure = reachable(uses)
    faults = []
    for directory, _, names in os.walk(source_dir):
        for name in sorted(names):
            if not name.endswith((".h", ".cpp")):
                continue
            path = os.path.join(directory, name)
            folder = os.path.relpath(directory, source_dir)
            if folder not in uses:
                faults.append(f"{os.path.relpath(path, source_dir)}: its folder {folder} is not declared")
                continue
            text = open(path, encoding="utf-8").read()
            for included in INCLUDE.findall(text):
                target = os.path.dirname(included)
                if not os.path.exists(os.path.join(source_dir, included)):
                    continue  # not the project's (a library's, or a generated file)
                if target != folder and target not in closure[folder]:
                    faults.append(f"{os.path.relpath(path, source_dir)} includes {included}: "
                                  f"{folder} does not use {target}")
    return faults


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    faults = wrong_includes(declared(sys.argv[1]), sys.argv[2])
    for fault in faults:
        print(fault)
    if faults:
        print(f"{len(faults)} includes against the folders' order")
        return 1
    print("every include runs down the folders' order")
    return 0


if __name__ == "__main__":
    sys.exit(main())
