#!/usr/bin/python3
"""Reads the running Quellist window the way a screen reader does: through the AT-SPI
registry on the session bus (pyatspi), and presses keys where a step needs the keyboard:
with xdotool on X11, with wtype when E2E_KEYS=wtype (Wayland). One subcommand a call;
prints what it read, one fact a line.

  screen_reader.py wait-app                  until the program is on the registry
  screen_reader.py click NAME                presses the button named NAME (its action)
  screen_reader.py tab-to NAME               Tab until the control named NAME has focus
  screen_reader.py list NAME [ROWS]          "count N", then "row I<TAB>TEXT<TAB>selected|-"
  screen_reader.py progress                  "value V" and "text T"
  screen_reader.py hear EVENT KEY            presses KEY; "EVENT<TAB>ROLE<TAB>NAME" for each
                                             EVENT heard (focus:, object:children-changed)
"""
import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

APP = "Quellist"


def application():
    for _ in range(200):
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == APP:
                return app
        time.sleep(0.1)
    sys.exit(f"{APP} is not on the accessibility registry")


def controls(node):
    """Every control under node, without the rows of lists (there may be millions)."""
    for child in node:
        if child is None:
            continue
        yield child
        if child.getRole() != pyatspi.ROLE_LIST:
            yield from controls(child)


def find(name, role=None):
    for control in controls(application()):
        if control.name == name and (role is None or control.getRole() == role):
            return control
    sys.exit(f"no control named {name!r}")


def focused():
    for control in controls(application()):
        if control.getState().contains(pyatspi.STATE_FOCUSED):
            return control
    return None


def press(key):
    if os.environ.get("E2E_KEYS") == "wtype":
        # wtype's keyboard appears as it starts: the key waits until the window has it.
        subprocess.run(["wtype", "-s", "700", "-k", key], check=True)
    else:
        subprocess.run(["xdotool", "key", key], check=True)


def click(name):
    """Presses a button found by its name, as a switch user or a script does."""
    button = find(name, pyatspi.ROLE_PUSH_BUTTON)
    actions = button.queryAction()
    for i in range(actions.nActions):
        if actions.getName(i) in ("Press", "press", "click"):
            actions.doAction(i)
            return
    sys.exit(f"the button {name!r} has no press action")


def tab_to(name):
    for _ in range(30):
        control = focused()
        if control is not None and control.name == name:
            return
        press("Tab")
        time.sleep(0.15)
    seen = focused()
    sys.exit(f"Tab never reached {name!r}; focus is on {seen.name if seen else None!r}")


def read_list(name, rows):
    lst = find(name, pyatspi.ROLE_LIST)
    print(f"count {lst.childCount}")
    for i in range(min(rows, lst.childCount)):
        row = lst.getChildAtIndex(i)
        selected = "selected" if row.getState().contains(pyatspi.STATE_SELECTED) else "-"
        print(f"row {i}\t{row.name}\t{selected}")


def progress():
    bar = next(c for c in controls(application()) if c.getRole() == pyatspi.ROLE_PROGRESS_BAR)
    print(f"name {bar.name}")
    print(f"value {bar.queryValue().currentValue:g}")
    print(f"text {bar.description}")


def hear(kind, key):
    heard = []

    def on_event(event):
        heard.append(f"{event.type}\t{event.source.getRoleName()}\t{event.source.name}")

    pyatspi.Registry.registerEventListener(on_event, kind)
    GLib.timeout_add(300, lambda: press(key) and False)
    GLib.timeout_add(2000, lambda: pyatspi.Registry.stop() and False)
    pyatspi.Registry.start()
    print("\n".join(heard))


def main(argv):
    command = argv[1]
    if command == "wait-app":
        application()
    elif command == "click":
        click(argv[2])
    elif command == "tab-to":
        tab_to(argv[2])
    elif command == "list":
        read_list(argv[2], int(argv[3]) if len(argv) > 3 else 10)
    elif command == "progress":
        progress()
    elif command == "hear":
        hear(argv[2], argv[3])
    else:
        sys.exit(f"unknown command {command}")


if __name__ == "__main__":
    main(sys.argv)
