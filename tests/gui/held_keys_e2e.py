#!/usr/bin/env python3
"""Held keys through the real X server, whose autorepeat is on: a held key acts once, and a
form that opens while a key is held never takes it.

    held_keys_e2e.py linux BINARY        the Qt game, started in an empty folder
    held_keys_e2e.py wine FOLDER         Zahlgarten.exe in FOLDER (WINEPREFIX: a booted prefix)

In a new game: S held 1.5 s opens "Sichern unter ..." once and saves nothing; T held 2 s enters
no value; 2 held while "Sichern" is clicked leaves the dialog open and saves nothing."""
import os
import subprocess
import sys
import tempfile
import time

kind, where = sys.argv[1], sys.argv[2]
env = dict(os.environ, WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=",
           QT_QPA_PLATFORM="xcb")
W, H, RED, WHITE = 1280, 1024, (255, 0, 0), (255, 255, 255)


def run(*args):
    return subprocess.run(args, env=env, capture_output=True).stdout


def fail(what):
    print("FAIL:", what, file=sys.stderr)
    sys.exit(1)


def wait(what, test, seconds=60):
    end = time.time() + seconds
    while time.time() < end:
        if got := test():
            return got
        time.sleep(0.25)
    fail(what)


def grab():
    return run("import", "-window", "root", "-depth", "8", "ppm:-")[-3 * W * H:]


def find_origin():
    """The client area's top-left, from the board's red frame at (28, 44)."""
    screen, i = grab(), -1
    while (i := screen.find(bytes(RED * 4), i + 1)) >= 0:
        if i % 3 == 0 and i // 3 % W <= W - 4:
            return i // 3 % W - 28, i // 3 // W - 44


def open_cells(origin):
    screen = grab()
    return sum(screen[j:j + 3] == bytes(WHITE) for r in range(6) for c in range(6)
               for j in [3 * ((origin[1] + 75 + 60 * r) * W + origin[0] + 59 + 60 * c)])


def dialogs():
    return run("xdotool", "search", "--name", "^Sichern unter").split()


def hold(key, seconds, then=None):
    run("xdotool", "keydown", key)
    if then:
        time.sleep(0.2)
        then()
    time.sleep(seconds)
    run("xdotool", "keyup", key)
    time.sleep(1)


def main():
    folder = where if kind == "wine" else tempfile.mkdtemp()
    saved = os.path.join(folder, "brett.zgb")
    if os.path.exists(saved):
        os.remove(saved)
    r, w = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(w), "-screen", "0", "%dx%dx24" % (W, H),
                             "-nolisten", "tcp"], pass_fds=[w], stderr=subprocess.DEVNULL)
    os.close(w)
    with os.fdopen(r) as f:
        env["DISPLAY"] = ":" + f.readline().strip()
    if kind == "wine":
        run("wineserver", "-k")
        run("wineserver", "-w")
    command = ["wine", "Zahlgarten.exe"] if kind == "wine" else [os.path.abspath(where)]
    game = subprocess.Popen(command, cwd=folder, env=env, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)
    try:
        window = wait("no game window", lambda: run("xdotool", "search", "--name",
                                                    "^Zahlgarten V5").split())[0]
        origin = wait("no start screen", find_origin)
        # Without a window manager the window takes the keyboard after a click.
        run("xdotool", "mousemove", str(origin[0] + 700), str(origin[1] + 450), "click", "1")
        run("xdotool", "windowfocus", window)
        for k in ("alt+z", "n"):  # "&Zahlgarten", "&Neues Spiel"
            run("xdotool", "key", k)
            time.sleep(1)
        empty = open_cells(origin)
        hold("t", 2)
        if open_cells(origin) != empty:
            fail("T held 2 s entered a value")
        hold("s", 1.5)
        if len(wait("S held did not open the slot dialog", dialogs, 10)) != 1 or \
                os.path.exists(saved):
            fail("S held saved the board or opened the dialog again")
        run("xdotool", "key", "Escape")
        wait("the slot dialog stayed open", lambda: not dialogs(), 10)
        run("xdotool", "windowfocus", window)
        click = lambda: run("xdotool", "mousemove", str(origin[0] + 175),
                            str(origin[1] + 430), "click", "1")
        hold("2", 1.5, click)
        if not dialogs() or os.path.exists(saved):
            fail("the held 2 chose a place in the slot dialog")
        print("%s game: held T, held S and a key held into the slot dialog act once" % kind)
    finally:
        game.kill()
        if kind == "wine":
            run("wineserver", "-k")
        xvfb.kill()


main()
