#!/usr/bin/env python3
"""Fails when a unit of app/ (a header and its source) includes, directly or through others, a unit that
includes it back. Usage: include_cycles.py <app folder>"""
import pathlib
import re
import sys

folder = pathlib.Path(sys.argv[1])
include = re.compile(r'^\s*#\s*include\s+"app/([^"/]+)\.h"', re.M)
uses = {}
for path in sorted(folder.glob("*.[ch]*")):
    unit = path.stem
    uses.setdefault(unit, set()).update(used for used in include.findall(path.read_text()) if used != unit)

# Depth-first search; a unit met again while still on the path closes a loop.
state, path = {}, []


def visit(unit):
    state[unit] = "open"
    path.append(unit)
    for used in sorted(uses.get(unit, ())):
        if state.get(used) == "open":
            loop = path[path.index(used):] + [used]
            sys.exit("include loop in app/: " + " -> ".join(loop))
        if used not in state:
            visit(used)
    path.pop()
    state[unit] = "done"


for unit in sorted(uses):
    if unit not in state:
        visit(unit)
print(f"{len(uses)} units of app/, no include loop")
