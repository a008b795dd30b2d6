#!/usr/bin/env python3
"""The Windows game as a player meets it: started under Wine on its own Xvfb from a folder
holding only the unpacked package, driven with xdotool.

    e2e_wine.py FOLDER [SCREENSHOT.png]

FOLDER holds Zahlgarten.exe and the collections. WINEPREFIX must name a booted prefix. Plays
"&Neues Spiel", an entry through the chooser, "Sichern" (which must write brett.zgb there),
"Abbruch", the close box answered "&NEIN", then "&JA", which must end the program."""
import os
import subprocess
import sys
import time

folder, shot = sys.argv[1], sys.argv[2] if len(sys.argv) > 2 else None
env = dict(os.environ, WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=")


def fail(what):
    print("FAIL:", what, file=sys.stderr)
    if shot and "DISPLAY" in env:  # what the screen showed then, beside the screenshot
        subprocess.run(["import", "-display", env["DISPLAY"], "-window", "root",
                        shot.replace(".png", ".failed.png")])
    sys.exit(1)


def start_display():
    r, w = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(w), "-screen", "0", "1280x1024x24",
                             "-nolisten", "tcp"], pass_fds=[w], stderr=subprocess.DEVNULL)
    os.close(w)
    with os.fdopen(r) as f:
        env["DISPLAY"] = ":" + f.readline().strip()
    return xvfb


def xdo(*args):
    return subprocess.run(["xdotool", *args], env=env, capture_output=True, text=True).stdout


def wait(what, test, seconds=60):
    end = time.time() + seconds
    while time.time() < end:
        got = test()
        if got:
            return got
        time.sleep(0.25)
    fail(what)


class Screen:
    """The root window as RGB pixels."""

    def __init__(self):
        ppm = subprocess.run(["import", "-display", env["DISPLAY"], "-window", "root", "-depth", "8",
                              "ppm:-"],
                             capture_output=True, check=True).stdout
        fields, at = [], 0
        while len(fields) < 4:  # P6, width, height, maximum
            end = at
            while ppm[end:end + 1].isspace():
                end += 1
            at = end
            while not ppm[at:at + 1].isspace():
                at += 1
            fields.append(ppm[end:at])
        self.width, self.height = int(fields[1]), int(fields[2])
        self.data = ppm[at + 1:]

    def at(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.data[i:i + 3])


def client_origin():
    """The client area's top-left on the screen, from the board's red frame at (28, 44)."""
    s = Screen()
    for y in range(s.height):
        for x in range(s.width - 3):
            if all(s.at(x + i, y) == (255, 0, 0) for i in range(4)):
                return x - 28, y - 44
    return None


def click(origin, x, y):
    xdo("mousemove", str(origin[0] + x), str(origin[1] + y))
    time.sleep(0.2)
    xdo("click", "1")
    time.sleep(0.5)


def main():
    # A Wine session of this prefix begun without this display could not open the window.
    subprocess.run(["wineserver", "-k"], env=env)
    subprocess.run(["wineserver", "-w"], env=env)
    xvfb = start_display()
    game = None
    try:
        game = subprocess.Popen(["wine", "Zahlgarten.exe"], cwd=folder, env=env,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        window = wait("no game window", lambda: xdo("search", "--name", "^Zahlgarten V5").split())[0]
        origin = wait("the start screen never showed its board", client_origin)
        if shot:
            subprocess.run(["import", "-display", env["DISPLAY"], "-window", "root", shot])
        xdo("windowactivate", "--sync", window)
        xdo("key", "alt+z")  # "&Zahlgarten"
        time.sleep(0.5)
        xdo("key", "n")  # "&Neues Spiel"
        time.sleep(2)
        # An open cell is white; the chooser's first square holds 1 (or A).
        cells = [(c, r) for r in range(1, 7) for c in range(1, 7)]
        centre = lambda c, r: (59 + (c - 1) * 60, 75 + (r - 1) * 60)
        s = Screen()
        open_cells = [(c, r) for c, r in cells
                      if s.at(origin[0] + centre(c, r)[0], origin[1] + centre(c, r)[1]) == (255, 255, 255)]
        if not open_cells:
            fail("no open cell after \"&Neues Spiel\"")
        c, r = open_cells[0]
        click(origin, *centre(c, r))
        x, y = centre(c, r)
        click(origin, x - 31, y - 15)  # the square of 1
        s = Screen()
        if s.at(origin[0] + x, origin[1] + y) == (255, 255, 255) and \
                all(s.at(origin[0] + x + d, origin[1] + y) == (255, 255, 255) for d in range(-12, 12)):
            fail("the chooser's entry left the cell empty")
        # "Sichern" twice: the slot dialog, OK with Enter. The second save replaces the file
        # (its filler is drawn anew); nothing else is left in the folder.
        saved = os.path.join(folder, "brett.zgb")
        before = set(os.listdir(folder))
        for turn in range(2):
            old = open(saved, "rb").read() if turn else b""
            click(origin, 175, 430)
            time.sleep(1)
            xdo("key", "Return")
            wait("\"Sichern\" did not write brett.zgb", lambda: os.path.exists(saved)
                 and open(saved, "rb").read() != old, 20)
            if os.path.getsize(saved) != 4000:
                fail("brett.zgb is not 4000 bytes")
        # The saves' lock file stays, so that copies of the game always take turns on one file.
        if set(os.listdir(folder)) != before | {"brett.zgb", ".zahlgarten.lock"}:
            fail("files left beside brett.zgb: %s" % sorted(set(os.listdir(folder)) - before))
        click(origin, 340, 430)  # "Abbruch"
        xdo("windowactivate", "--sync", window)
        xdo("key", "alt+F4")  # the close box: "Spiel beenden?"
        time.sleep(1.5)
        xdo("key", "alt+n")  # "&NEIN"
        time.sleep(1.5)
        if game.poll() is not None:
            fail("\"&NEIN\" ended the program")
        xdo("windowactivate", "--sync", window)
        xdo("key", "alt+F4")
        time.sleep(1.5)
        xdo("key", "alt+j")  # "&JA"
        try:
            game.wait(20)
        except subprocess.TimeoutExpired:
            fail("\"&JA\" did not end the program")
        print("Windows game: start screen, new game, chooser entry, two saves, Abbruch, close box "
              "with NEIN then JA: all as expected")
    finally:
        if game and game.poll() is None:
            game.kill()
        subprocess.run(["wineserver", "-k"], env=env)
        xvfb.kill()


main()
