#!/usr/bin/env python3
"""The Linux game through AT-SPI, as a screen reader meets it: on its own X server and
accessibility bus, a new game is started with the keyboard; the
board is a table whose cells say what they hold, an arrow key moves the focus from cell to cell
with their names, a digit typed there renames the cell, and "Abbruch" is pressed through its action.

    a11y_e2e.py BINARY"""
import os
import subprocess
import sys
import tempfile
import time

if "ZG_A11Y_BUS" not in os.environ:
    # A session of its own, its accessibility bus's socket in a folder of its own.
    os.execvpe("dbus-run-session", ["dbus-run-session", "--", sys.executable, *sys.argv],
               dict(os.environ, ZG_A11Y_BUS="1", XDG_RUNTIME_DIR=tempfile.mkdtemp()))

import pyatspi  # noqa: E402
from gi.repository import GLib  # noqa: E402


def fail(what):
    print("FAIL:", what, file=sys.stderr)
    sys.exit(1)


def wait(what, test, seconds=60):
    end = time.time() + seconds
    while time.time() < end:
        GLib.MainContext.default().iteration(False)
        if got := test():
            return got
        time.sleep(0.1)
    fail(what)


def find(root, role, name=None):
    return pyatspi.findDescendant(
        root, lambda a: a.getRole() == role and (name is None or a.name == name))


def main():
    r, w = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(w), "-screen", "0", "1280x1024x24",
                             "-nolisten", "tcp"], pass_fds=[w], stderr=subprocess.DEVNULL)
    os.close(w)
    with os.fdopen(r) as f:
        os.environ["DISPLAY"] = ":" + f.readline().strip()
    env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    game = subprocess.Popen([os.path.abspath(sys.argv[1])], cwd=tempfile.mkdtemp(), env=env,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    xdo = lambda *args: subprocess.run(["xdotool", *args], capture_output=True)
    try:
        desktop = pyatspi.Registry.getDesktop(0)
        app = wait("the game is not on the accessibility bus",
                   lambda: next((a for a in desktop if a and a.name == "zahlgarten"), None))
        table = wait("no table", lambda: find(app, pyatspi.ROLE_TABLE))
        box = table.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        # Without a window manager the window takes the keyboard after a click off the board.
        xdo("mousemove", str(box.x - 29 + 700), str(box.y - 45 + 450), "click", "1")
        for k in ("alt+z", "n"):  # "&Zahlgarten", "&Neues Spiel"
            xdo("key", k)
            time.sleep(1)
        abort = wait("no button Abbruch", lambda: find(app, pyatspi.ROLE_PUSH_BUTTON, "Abbruch"))
        cells = table.queryTable()
        if cells.nRows != 6 or cells.nColumns != 6:
            fail("the table is %d x %d" % (cells.nRows, cells.nColumns))
        first = cells.getAccessibleAt(0, 0).name
        if not first.startswith("Zeile 1, Spalte 1: "):
            fail("cell (1, 1) is named %r" % first)

        focused, renamed = [], []
        pyatspi.Registry.registerEventListener(
            lambda e: focused.append(e.source.name), "object:state-changed:focused")
        pyatspi.Registry.registerEventListener(
            lambda e: renamed.append(e.source.name), "object:property-change:accessible-name")

        def move(name):
            focused.clear()
            xdo("key", "Right")
            return wait("no focus on %r" % name,
                        lambda: [n for n in focused if n.startswith(name)])[-1]

        # A given of the first row, typed into an open cell there, renames the cell and the status.
        row = [cells.getAccessibleAt(0, c).name for c in range(6)]
        digit = next((n.split(": ")[1][0] for n in row if n.endswith(", vorgegeben")), None)
        if not digit:
            fail("no given in the first row: %r" % row)
        got = move("Zeile 1, Spalte 1: ")  # the first arrow key shows the cursor there
        for column in range(2, 7):
            got = move("Zeile 1, Spalte %d: " % column)
            if got != cells.getAccessibleAt(0, column - 1).name:
                fail("the focus event says %r" % got)
            if got.endswith(": leer"):
                xdo("key", digit)
                wait("no new name after " + digit, lambda: got.replace("leer", digit) in renamed)
                wait("the status was not told", lambda: "Statusmeldung: Falsche Zahl!" in renamed)
                break

        abort.queryAction().doAction(0)
        wait("Abbruch through its action did not end the game",
             lambda: not find(app, pyatspi.ROLE_PUSH_BUTTON, "Abbruch"))
        print("a11y: 36 named cells, focus and name of %r, the status told, Abbruch pressed"
              % got)
    finally:
        game.kill()
        xvfb.kill()


main()
