#!/usr/bin/python3
"""Reads the running program as a screen reader does, over AT-SPI.

  atspi.py dump         one line per showing object: role, name, description, states (tab-separated)
  atspi.py where NAME   the screen position of the centre of the showing object named NAME
  atspi.py labels       one line per showing object labelled by another: role, name, the label's name
  atspi.py focus SECS   for SECS seconds, one line per object that takes the focus (pop-up menus are
                        not in the tree: a reader learns their items this way)
"""
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

APPLICATION = "nevalon"
STATES = ("checked", "focused", "enabled")


def application():
    # The registry starts on the first request, and the program registers with it a moment later.
    for _ in range(50):
        desktop = Atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            child = desktop.get_child_at_index(i)
            if child is not None and child.get_name() == APPLICATION:
                return child
        time.sleep(0.2)
    sys.exit(f"{APPLICATION} is not on the accessibility bus")


def showing(node):
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is None or not child.get_state_set().contains(Atspi.StateType.SHOWING):
            continue
        yield child
        yield from showing(child)


def line(node):
    states = node.get_state_set()
    flags = [name for name in STATES if states.contains(getattr(Atspi.StateType, name.upper()))]
    text = [node.get_role_name(), node.get_name(), node.get_description() or "", ",".join(flags)]
    return "\t".join(part.replace("\n", "\\n") for part in text)


def main():
    command = sys.argv[1:]
    nodes = list(showing(application()))
    if command == ["dump"]:
        print("\n".join(line(node) for node in nodes))
    elif len(command) == 2 and command[0] == "where":
        for node in nodes:
            if node.get_name() == command[1]:
                box = node.get_extents(Atspi.CoordType.SCREEN)
                print(box.x + box.width // 2, box.y + box.height // 2)
                return
        sys.exit(f"nothing named {command[1]!r} is showing")
    elif command == ["labels"]:
        for node in nodes:
            for relation in node.get_relation_set():
                if relation.get_relation_type() == Atspi.RelationType.LABELLED_BY:
                    label = relation.get_target(0)
                    print("\t".join([node.get_role_name(), node.get_name(), label.get_name()]))
    elif len(command) == 2 and command[0] == "focus":
        def focused(event):
            if event.detail1 == 1:
                print(line(event.source), flush=True)

        listener = Atspi.EventListener.new(focused)
        listener.register("object:state-changed:focused")
        GLib.timeout_add(int(float(command[1]) * 1000), Atspi.event_quit)
        print("listening", flush=True)
        Atspi.event_main()
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main()
