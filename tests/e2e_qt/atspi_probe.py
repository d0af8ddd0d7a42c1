#!/usr/bin/python3
"""What a screen reader learns of a program over AT-SPI.

  atspi_probe.py watch SECONDS   prints, one line each, every showing and
                                 name change: "event ROLE|NAME|DETAIL"
  atspi_probe.py tree APP        prints the application's accessible tree:
                                 "DEPTH ROLE|NAME|STATES"
"""
import sys

import pyatspi
from gi.repository import GLib


def describe(accessible):
    return f"{accessible.getRoleName()}|{accessible.name}"


def watch(seconds):
    def on_event(event):
        try:
            print(f"{event.type} {describe(event.source)}|{event.detail1}", flush=True)
        except Exception as error:  # an object gone meanwhile
            print(f"{event.type} gone|{error}", flush=True)

    pyatspi.Registry.registerEventListener(
        on_event, "object:state-changed:showing", "object:property-change:accessible-name")
    GLib.timeout_add_seconds(int(seconds), pyatspi.Registry.stop)
    print("watching", flush=True)
    pyatspi.Registry.start()


def tree(app_name):
    def walk(accessible, depth):
        states = accessible.getState().getStates()
        flags = ",".join(sorted(pyatspi.stateToString(s) for s in states
                                if s in (pyatspi.STATE_SELECTED, pyatspi.STATE_FOCUSED)))
        print(f"{depth} {describe(accessible)}|{flags}")
        for index in range(accessible.childCount):
            child = accessible.getChildAtIndex(index)
            if child is not None:
                walk(child, depth + 1)

    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is not None and app.name == app_name:
            walk(app, 0)
            return 0
    print(f"no application {app_name}", file=sys.stderr)
    return 1


if __name__ == "__main__":
    if sys.argv[1] == "watch":
        watch(sys.argv[2])
    else:
        sys.exit(tree(sys.argv[2]))
