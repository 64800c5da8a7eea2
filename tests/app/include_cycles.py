#!/usr/bin/env python3
"""Fails when a unit of app/ (a header and its source) includes, directly or through others, a unit that
includes it back, or reaches into platform/ past the seam below. Usage: include_cycles.py <app folder>"""
import pathlib
import re
import sys

folder = pathlib.Path(sys.argv[1])
include = re.compile(r'^\s*#\s*include\s+"app/([^"/]+)\.h"', re.M)
# The desktop services the toolkit does not wrap, which the application asks for itself: its message
# classes, the settings store, alerts, notices and notifications, sounds, the status item, the clock-change
# watch and the session bus. Everything else of platform/ is reached through the runtime.
seam = {"Alert", "Application", "ApplicationService", "Class", "ClockChanges", "Defaults", "DesktopNotice",
        "DesktopNotifications", "Geometry", "Sound", "StatusItem"}
platform_include = re.compile(r'^\s*#\s*include\s+"platform/([^"]+)\.h"', re.M)
uses = {}
for path in sorted(folder.glob("*.[ch]*")):
    unit = path.stem
    text = path.read_text()
    uses.setdefault(unit, set()).update(used for used in include.findall(text) if used != unit)
    for header in platform_include.findall(text):
        if header not in seam:
            sys.exit(f"app/{path.name} reaches past the runtime into platform/{header}.h")

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
print(f"{len(uses)} units of app/, no include loop, platform/ only through its {len(seam)} service headers")
