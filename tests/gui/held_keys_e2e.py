#!/usr/bin/env python3
"""Held keys through the real X server, whose autorepeat is on: a held key acts once, and a
form that opens while a key is held never takes it.

    held_keys_e2e.py linux BINARY        the Qt game, started in an empty folder
    held_keys_e2e.py wine FOLDER         Zahlgarten.exe in FOLDER (WINEPREFIX: a booted prefix)

In a new game: T held 2 s enters no value; S held 1.5 s opens "Sichern unter ..." once and saves
nothing; 2 held while "Sichern" is clicked leaves the dialog open and saves nothing."""
import os
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "windows"))
import e2e_wine as x  # noqa: E402  (the X server, screen and xdotool helpers)

kind, where = sys.argv[1], sys.argv[2]
x.env["QT_QPA_PLATFORM"] = "xcb"


def open_cells(origin):
    screen = x.grab()
    return sum(screen[j:j + 3] == bytes(x.WHITE) for r in range(6) for c in range(6)
               for j in [3 * ((origin[1] + 75 + 60 * r) * x.W + origin[0] + 59 + 60 * c)])


def dialogs():
    return x.run("xdotool", "search", "--name", "^Sichern unter").split()


def hold(key, seconds, then=None):
    x.run("xdotool", "keydown", key)
    if then:
        time.sleep(0.2)
        then()
    time.sleep(seconds)
    x.run("xdotool", "keyup", key)
    time.sleep(1)


def main():
    folder = where if kind == "wine" else tempfile.mkdtemp()
    saved = os.path.join(folder, "brett.zgb")
    if os.path.exists(saved):
        os.remove(saved)
    xvfb = x.start_xvfb()
    if kind == "wine":
        x.run("wineserver", "-k")
        x.run("wineserver", "-w")
    command = ["wine", "Zahlgarten.exe"] if kind == "wine" else [os.path.abspath(where)]
    game = subprocess.Popen(command, cwd=folder, env=x.env, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)
    try:
        window = x.wait("no game window", lambda: x.run("xdotool", "search", "--name",
                                                        "^Zahlgarten V5").split())[0]
        origin = x.wait("no start screen", x.find_origin)
        # Without a window manager the window takes the keyboard after a click.
        x.run("xdotool", "mousemove", str(origin[0] + 700), str(origin[1] + 450), "click", "1")
        x.run("xdotool", "windowfocus", window)
        for k in ("alt+z", "n"):  # "&Zahlgarten", "&Neues Spiel"
            x.key(k, 1)
        empty = open_cells(origin)
        hold("t", 2)
        if open_cells(origin) != empty:
            x.fail("T held 2 s entered a value")
        hold("s", 1.5)
        if len(x.wait("S held did not open the slot dialog", dialogs, 10)) != 1 or \
                os.path.exists(saved):
            x.fail("S held saved the board or opened the dialog again")
        x.run("xdotool", "key", "Escape")
        x.wait("the slot dialog stayed open", lambda: not dialogs(), 10)
        x.run("xdotool", "windowfocus", window)
        click = lambda: x.run("xdotool", "mousemove", str(origin[0] + 175),
                              str(origin[1] + 430), "click", "1")
        hold("2", 1.5, click)
        if not dialogs() or os.path.exists(saved):
            x.fail("the held 2 chose a place in the slot dialog")
        print("%s game: held T, held S and a key held into the slot dialog act once" % kind)
    finally:
        game.kill()
        if kind == "wine":
            x.run("wineserver", "-k")
        xvfb.kill()


main()
